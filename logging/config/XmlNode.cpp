#include "logging/config/XmlNode.h"

namespace scrivlog {

void XmlNode::Clear() {
    Children.clear();
    Attributes.clear();
}

const XmlAttribute* GetAttribute(const XmlNode& node, std::string_view name) {
    for (const auto& attribute : node.Attributes)
        if (attribute->Name == name)
            return attribute.get();
    return nullptr;
}

const XmlNode* GetChild(const XmlNode& node, std::string_view name) {
    for (const auto& child : node.Children)
        if (child->Name == name)
            return child.get();
    return nullptr;
}

std::vector<const XmlNode*> GetChildren(const XmlNode& node, std::string_view name) {
    std::vector<const XmlNode*> found;
    for (const auto& child : node.Children)
        if (child->Name == name)
            found.push_back(child.get());
    return found;
}

}  // namespace scrivlog
