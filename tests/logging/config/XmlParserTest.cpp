#include <gtest/gtest.h>

#include <tuple>

#include "logging/config/XmlParser.h"

using namespace scrivlog;

namespace {

// Parses with fresh default settings; the error text is kept for inspection.
struct Parsed {
    XmlNode root;
    XmlParseSettings settings;
    std::optional<size_t> end;
    explicit Parsed(std::string_view text) { end = Load(root, text, settings); }
    std::string Attribute(std::string_view name) const {
        const XmlAttribute* attribute = GetAttribute(root, name);
        return attribute ? attribute->Value : "<none>";
    }
};

}  // namespace

TEST(XmlParser, AConfigurationTree) {
    const std::string text = R"(<?xml version="1.0" encoding="utf-8"?>
<!-- leading comment, skipped -->
<logger:configuration active="true">
  <root><priority value="Error"/><appender-ref ref="File"/></root>
  <!-- inner -->
  <appender name="File" class=RollingFileAppender>
    <layout class="PatternLayout"><![CDATA[raw <text>]]></layout>
  </appender>
</logger:configuration>trailing)";
    Parsed xml(text);
    ASSERT_TRUE(xml.end.has_value()) << xml.settings.ErrorText;
    EXPECT_EQ("logger:configuration", xml.root.Name);
    EXPECT_EQ("true", xml.Attribute("active"));
    ASSERT_EQ(3u, xml.root.Children.size());
    EXPECT_EQ("#COMMENT", xml.root.Children[1]->Name);
    EXPECT_EQ(" inner ", xml.root.Children[1]->Value);
    const XmlNode* appender = GetChild(xml.root, "appender");
    ASSERT_NE(nullptr, appender);
    EXPECT_EQ("RollingFileAppender", GetAttribute(*appender, "class")->Value);
    const XmlNode* layout = GetChild(*appender, "layout");
    ASSERT_EQ(1u, layout->Children.size());
    EXPECT_EQ("#CDATA", layout->Children[0]->Name);
    EXPECT_EQ("raw <text>", layout->Children[0]->Value);
    EXPECT_EQ(nullptr, GetChild(xml.root, "Root"));  // names are case-sensitive
    EXPECT_EQ("trailing", text.substr(*xml.end));    // the end is just after the element
}

TEST(XmlParser, ValuesEscapesEntitiesAndText) {
    // Backslash escapes the next character; only the five XML entities are decoded, once.
    std::string values;
    for (const char* text : {R"(<a v="x\"y"/>)", R"(<a v='C:\dir'/>)", R"(<a v="C:\\dir"/>)",
                             R"(<a v="&lt;&amp;&gt;"/>)", R"(<a v="&copy;&apos;&quot;"/>)",
                             R"(<a v="&amp;lt;"/>)", "<a v=File />", "<a v other=\"1\"/>"})
        values += Parsed(text).Attribute("v") + "|";
    EXPECT_EQ("x\"y|C:dir|C:\\dir|<&>|&copy;'\"|&lt;|File||", values);
    Parsed twice(R"(<a k="1" k="2"/>)");
    EXPECT_EQ(2u, twice.root.Attributes.size());
    EXPECT_EQ("1", twice.Attribute("k"));

    XmlNode node;
    XmlParseSettings trimming;
    trimming.TrimValues = true;
    trimming.DecodeEntities = false;
    ASSERT_TRUE(Load(node, "<a v=\"  &lt; \">  text  </a>", trimming));
    EXPECT_EQ("&lt;", GetAttribute(node, "v")->Value);
    EXPECT_EQ("text", node.Value);

    // An unclosed element keeps its text. Text between later children replaces only a
    // value that is still blank.
    std::string texts;
    for (const char* text : {"<a> 1 &lt; 2 </a>", "<a>text", "<a>  <b/>after</a>",
                             "<a>first<b/>second</a>", "<a> <b/> <c/>x<d/>y</a>"})
        texts += Parsed(text).root.Value + "|";
    EXPECT_EQ(" 1 < 2 |text|after|first|x|", texts);
}

TEST(XmlParser, ErrorsAndMalformedInput) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"<a><b/></B></a>", 3, "'<a> ... </B>' is not wel-formed."},
        {"<a x=\"1\"/", 1, "Element must be closed."},
        {"no tag at all", 2, "XML open tag not found"},
        {"<a b", 4, "No attributes found in xml stream"},
        {"<a></a", 2, "it must be closed with </a>"},
        {"<a><!-- never closed", 2, "Comment must be closed with -->"},
    };
    for (const auto& [text, code, message] : cases) {
        Parsed parsed(text);
        EXPECT_FALSE(parsed.end) << text;
        EXPECT_EQ(code, parsed.settings.ErrorCode) << text;
        EXPECT_EQ(message, parsed.settings.ErrorText) << text;
    }
    EXPECT_FALSE(Parsed("no tag").settings.ErrorPosition.has_value());

    // The first error of a parse is the one reported.
    XmlParseSettings settings;
    XmlNode node;
    EXPECT_FALSE(Load(node, "<a><b></c></a>", settings));
    EXPECT_FALSE(Load(node, "<x/", settings));
    EXPECT_EQ("'<b> ... </c>' is not wel-formed.", settings.ErrorText);
    settings.ClearError();
    settings.ForceParse = true;
    EXPECT_TRUE(Load(node, "<a><b></c></a>", settings));
    EXPECT_FALSE(settings.ErrorOccurred);

    // Malformed input never reads past the text.
    for (const std::string text :
         {"<a><!-- never closed", "<a><![CDATA[ never", "<?xml never", "<a v=\"never", "<a v='x\\'",
          "<", "<a", "<a ", "<a/", "</a>", "<a><", "<a></", "<a>\\", "<a v=\\"}) {
        std::vector<char> exact(text.begin(), text.end());  // no terminating zero, for ASan
        std::optional<size_t> end =
            Load(node, std::string_view(exact.data(), exact.size()), settings);
        EXPECT_LE(end.value_or(0), exact.size()) << text;
    }

    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    settings.ClearError();
    EXPECT_FALSE(Load(node, deep, settings));
    EXPECT_EQ("Elements are nested too deeply", settings.ErrorText);
}
