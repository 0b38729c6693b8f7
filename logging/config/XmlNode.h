// The tree that the configuration parser builds: elements with their attributes and
// text, comments ("#COMMENT") and CDATA sections ("#CDATA"), in document order.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scrivlog {

class XmlNode;

struct XmlAttribute {
    std::string Name;
    std::string Value;
    XmlNode* Node = nullptr;  // the node that holds it
};

class XmlNode {
  public:
    enum NodeType { Element = 0, Comment = 2, CData = 3 };

    XmlNode() = default;
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    // Drops the children and the attributes.
    void Clear();

    std::string Name;
    std::string Value;
    XmlNode* Parent = nullptr;
    std::vector<std::unique_ptr<XmlNode>> Children;
    std::vector<std::unique_ptr<XmlAttribute>> Attributes;
    int Type = Element;
    // Always null here; with no document, processing instructions and comments outside
    // any element are skipped.
    const void* Document = nullptr;
};

// The first attribute (child) of exactly that name, or null; names are case-sensitive.
const XmlAttribute* GetAttribute(const XmlNode& node, std::string_view name);
const XmlNode* GetChild(const XmlNode& node, std::string_view name);
// Every child of exactly that name, in document order; the tree keeps owning them.
std::vector<const XmlNode*> GetChildren(const XmlNode& node, std::string_view name);

}  // namespace scrivlog
