#include "logging/config/XmlConfigurator.h"

#include "logging/config/ConfigurationClasses.h"
#include "logging/config/XmlParser.h"

namespace scrivlog {
namespace {

bool AttributeIs(const XmlNode& node, std::string_view name, std::string_view value) {
    const XmlAttribute* attribute = GetAttribute(node, name);
    return attribute && EqualsIgnoreCase(attribute->Value, value);
}

std::string AttributeValue(const XmlNode& node, std::string_view name) {
    const XmlAttribute* attribute = GetAttribute(node, name);
    return attribute ? attribute->Value : std::string();
}

// The first `priority` child's level, when it names one; otherwise `level` is kept.
void ReadPriority(const XmlNode& node, Level& level) {
    const XmlNode* priority = GetChild(node, "priority");
    if (!priority)
        return;
    const XmlAttribute* value = GetAttribute(*priority, "value");
    if (!value)
        return;
    Level parsed = StringToLevel(value->Value);
    if (parsed != Levels::Undefined)
        level = parsed;
}

void ReadReferences(const XmlNode& node, std::vector<std::string>& references) {
    for (const XmlNode* reference : GetChildren(node, "appender-ref"))
        if (const XmlAttribute* ref = GetAttribute(*reference, "ref"))
            references.push_back(ref->Value);
}

void ReadParameters(const XmlNode& node, std::vector<CNodeParam>& parameters) {
    for (const XmlNode* param : GetChildren(node, "param")) {
        const XmlAttribute* name = GetAttribute(*param, "name");
        const XmlAttribute* value = GetAttribute(*param, "value");
        if (name && value)
            parameters.push_back({name->Value, value->Value});
    }
}

// Appends "\n" and the text to a message that is not empty, or starts it.
void AddLine(std::string& message, const std::string& line) {
    if (!message.empty())
        message += '\n';
    message += line;
}

template <typename Records>
auto FindRecord(Records& records, const NameIndex& index, std::string_view name)
    -> decltype(&records[0]) {
    size_t position = index.Find(name);
    return position < records.size() ? &records[position] : nullptr;
}

// Appends a record that no other of its list is named like.
template <typename Records, typename Record>
void AddRecord(Records& records, NameIndex& index, Record record) {
    index.Add(record.Name, records.size());
    records.push_back(std::move(record));
}

std::string Format(const char* format, std::string_view a, std::string_view b = {},
                   std::string_view c = {}) {
    // The build messages hold at most three texts; each "%s" takes the next one.
    std::string result;
    std::string_view arguments[] = {a, b, c};
    int next = 0;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's' && next < 3) {
            result += arguments[next++];
            ++p;
        } else {
            result += *p;
        }
    }
    return result;
}

}  // namespace

bool XmlConfigurator::Load(std::string_view text) {
    // Each stream's errors are its own: an earlier stream's must not be reported again.
    TheXmlParseSettings.ClearError();
    if (!scrivlog::Load(Document, text, TheXmlParseSettings)) {
        Message = "Load XML file stream:" + TheXmlParseSettings.ErrorText;
        return false;
    }
    if (AttributeIs(Document, "active", "false"))
        return true;
    if (AttributeIs(Document, "replace", "true")) {
        LoggerConfigurations.clear();
        AppenderConfigurations.clear();
        m_loggerIndex.Clear();
        m_appenderIndex.Clear();
    }
    if (!ReadRoot())
        return false;
    ReadCategories();
    ReadAppenders();
    return true;
}

bool XmlConfigurator::ReadRoot() {
    std::vector<const XmlNode*> roots = GetChildren(Document, "root");
    if (roots.empty()) {
        Message = "unable to find root configuration in XML stream";
        return false;
    }
    if (roots.size() > 1) {
        Message = "more than one root configuration defined in XML stream";
        return false;
    }
    CLoggerConfiguration record;
    record.Name = "root";
    ReadPriority(*roots[0], record.Priority);
    ReadReferences(*roots[0], record.AppenderReferences);
    Merge(std::move(record));
    return true;
}

void XmlConfigurator::ReadCategories() {
    for (const XmlNode* category : GetChildren(Document, "category")) {
        CLoggerConfiguration record;
        record.Name = AttributeValue(*category, "name");
        record.Additivity = !AttributeIs(*category, "additivity", "false");
        ReadPriority(*category, record.Priority);
        ReadReferences(*category, record.AppenderReferences);
        Merge(std::move(record));
    }
}

void XmlConfigurator::ReadAppenders() {
    for (const XmlNode* appender : GetChildren(Document, "appender")) {
        CAppenderConfiguration record;
        record.Name = AttributeValue(*appender, "name");
        record.Class = AttributeValue(*appender, "class");
        ReadPriority(*appender, record.Threshold);
        if (const XmlNode* layout = GetChild(*appender, "layout")) {
            record.LayoutClass = AttributeValue(*layout, "class");
            ReadParameters(*layout, record.LayoutParameters);
        }
        ReadParameters(*appender, record.Parameters);
        Merge(std::move(record));
    }
}

void XmlConfigurator::Merge(CLoggerConfiguration record) {
    CLoggerConfiguration* existing = FindRecord(LoggerConfigurations, m_loggerIndex, record.Name);
    if (!existing) {
        AddRecord(LoggerConfigurations, m_loggerIndex, std::move(record));
        return;
    }
    existing->Name = record.Name;
    existing->Priority = record.Priority;
    existing->Additivity = record.Additivity;
    for (std::string& reference : record.AppenderReferences) {
        bool known = false;
        for (const std::string& held : existing->AppenderReferences)
            known = known || EqualsIgnoreCase(held, reference);
        if (!known)
            existing->AppenderReferences.push_back(std::move(reference));
    }
}

void XmlConfigurator::Merge(CAppenderConfiguration record) {
    CAppenderConfiguration* existing =
        FindRecord(AppenderConfigurations, m_appenderIndex, record.Name);
    if (!existing) {
        AddRecord(AppenderConfigurations, m_appenderIndex, std::move(record));
        return;
    }
    existing->Name = record.Name;
    existing->Class = record.Class;
    existing->Threshold = record.Threshold;
    existing->LayoutClass = record.LayoutClass;
    for (CNodeParam& param : record.LayoutParameters)
        existing->LayoutParameters.push_back(std::move(param));
    for (CNodeParam& param : record.Parameters)
        existing->Parameters.push_back(std::move(param));
}

const CLoggerConfiguration* XmlConfigurator::FindLoggerConfiguration(std::string_view name) const {
    return FindRecord(LoggerConfigurations, m_loggerIndex, name);
}

const CAppenderConfiguration* XmlConfigurator::FindAppenderConfiguration(
    std::string_view name) const {
    return FindRecord(AppenderConfigurations, m_appenderIndex, name);
}

namespace {

// Finds or creates the referenced appender; null (with the reason added to `message`)
// when it cannot be attached.
CAppenderSkeleton* ResolveReference(CLogFactory& factory, const XmlConfigurator& configurator,
                                    const std::string& reference, std::string& message) {
    if (CAppenderSkeleton* existing = factory.FindAppender(reference))
        return existing;
    const CAppenderConfiguration* record = configurator.FindAppenderConfiguration(reference);
    if (!record) {
        AddLine(message, Format("Unable to find '%s' appender configuration", reference));
        return nullptr;
    }
    CAppenderSkeleton* appender =
        CreateAppender(factory, record->Class, record->Name, record->Threshold);
    if (!appender) {
        AddLine(message, Format("Unable to add appender '%s' in factory (%s).", record->Name,
                                factory.LastError));
        return nullptr;
    }
    for (const CNodeParam& param : record->Parameters)
        if (!appender->SetParam(param.Name, param.Value))
            AddLine(message, Format("Unrecognized param '%s' for appender [class:%s]:%s.",
                                    param.Name, appender->GetClassName(), appender->GetName()));
    if (appender->RequiresLayout() && record->LayoutClass.empty()) {
        AddLine(message, Format("Unable to find a layout for appender '%s'", record->Name));
        return nullptr;
    }
    if (!record->LayoutClass.empty()) {
        CLayoutSkeleton* layout = CreateLayout(factory, record->LayoutClass);
        if (!layout) {
            AddLine(message, Format("Unable to add layout '%s' for appender '%s' in factory (%s).",
                                    record->LayoutClass, record->Name, factory.LastError));
            return nullptr;
        }
        for (const CNodeParam& param : record->LayoutParameters)
            if (!layout->SetParam(param.Name, param.Value))
                AddLine(message, Format("Unrecognized param '%s' for layout '%s'.", param.Name,
                                        layout->GetClassName()));
        appender->Layout = layout;
    }
    return appender;
}

}  // namespace

bool ConfigureLogger(CLogFactory& factory, const XmlConfigurator& configurator, CLogger& logger,
                     std::string_view name, std::string& message) {
    message.clear();
    // The logger's own record, then each ancestor's, up to the root or to the first
    // record without additivity (whose appenders still come).
    std::string current(name);
    for (;;) {
        const CLoggerConfiguration* record = configurator.FindLoggerConfiguration(current);
        bool additivity = record ? record->Additivity : true;
        if (record)
            for (const std::string& reference : record->AppenderReferences)
                if (CAppenderSkeleton* appender =
                        ResolveReference(factory, configurator, reference, message))
                    logger.AddAppender(appender);
        if (EqualsIgnoreCase(current, "Root") || !additivity)
            break;
        current = CLogFactory::GetParentName(current);
        if (current.empty())
            current = "Root";
    }
    return message.empty();
}

bool BuildConfiguration(CLogFactory& factory, const XmlConfigurator& configurator,
                        std::string& errors) {
    factory.LastError.clear();
    errors.clear();
    for (const CLoggerConfiguration& record : configurator.LoggerConfigurations) {
        CLogger* logger;
        if (EqualsIgnoreCase(record.Name, "Root")) {
            logger = &factory.RootLogger;
            logger->SetThreshold(record.Priority);
            logger->Additivity = record.Additivity;
        } else {
            logger = factory.CreateLogger(record.Name, record.Priority, record.Additivity);
        }
        std::string message;
        if (!ConfigureLogger(factory, configurator, *logger, record.Name, message))
            AddLine(errors, message);
    }
    return errors.empty();
}

}  // namespace scrivlog
