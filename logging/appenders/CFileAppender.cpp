#include "logging/appenders/CFileAppender.h"

#include "logging/core/SystemUtilities.h"
#include "logging/core/Text.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/SystemErrors.h"

namespace scrivlog {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string CreateDirectoryError(std::string_view path, uint32_t code) {
    return "!Error: Unable to create directory '" + std::string(path) + "' (" +
           ErrorCodeToText(code) + ")";
}

// Creates one directory unless it is there; on failure `code` says why.
bool EnsureDirectory(std::string_view path, uint32_t& code) {
    if (CFileAppender::DirectoryExists(path) || platform::MakeDirectory(path))
        return true;
    code = platform::LastSystemErrorCode();
    // Someone else may have made it meanwhile.
    return CFileAppender::DirectoryExists(path);
}

}  // namespace

CFileAppender::~CFileAppender() {
    CloseQuietly();
}

const char* CFileAppender::GetClassName() const {
    return "FileAppender";
}

bool CFileAppender::SetParam(std::string_view name, std::string_view value) {
    if (CAppenderSkeleton::SetParam(name, value))
        return true;
    if (EqualsIgnoreCase(name, "File")) {
        File = ExpandEnvironmentText(value);
        return true;
    }
    if (EqualsIgnoreCase(name, "Append")) {
        Append = StringToBool(value);
        return true;
    }
    if (EqualsIgnoreCase(name, "HeaderOnlyOnCreation")) {
        HeaderOnlyOnCreation = StringToBool(value);
        return true;
    }
    return false;
}

std::string CFileAppender::GetParam(std::string_view name) const {
    std::string base = CAppenderSkeleton::GetParam(name);
    if (!base.empty())
        return base;
    if (EqualsIgnoreCase(name, "File"))
        return File;
    if (EqualsIgnoreCase(name, "Append"))
        return BoolToString(Append);
    if (EqualsIgnoreCase(name, "HeaderOnlyOnCreation"))
        return BoolToString(HeaderOnlyOnCreation);
    if (EqualsIgnoreCase(name, "FileCurrent") || EqualsIgnoreCase(name, "FileNameCurrent"))
        return FileNameCurrent;
    return {};
}

bool CFileAppender::Open(std::string& error) {
    return OpenFile(Append ? OpenMode::Append : OpenMode::Truncate, error);
}

bool CFileAppender::Close(std::string&) {
    if (!m_file.IsOpen())
        return false;
    try {
        std::string footer;
        if (GetFooter(footer))
            Write(footer, nullptr);
    } catch (...) {
        // The file is closed all the same.
    }
    m_file.Close();
    return true;
}

void CFileAppender::CloseQuietly() {
    try {
        std::string ignored;
        CFileAppender::Close(ignored);
    } catch (...) {
    }
}

void CFileAppender::Write(std::string_view text, const CLoggingEvent*) {
    WriteBounded(text.substr(0, MaxRecordLength));
}

bool CFileAppender::WriteBounded(std::string_view text) {
    if (!m_file.IsOpen())
        return false;
    std::string joined;
    if (m_recordCut) {  // the record that failed ends wherever it stopped: start a line
        joined = LineSeparator();
        joined += text;
        text = joined;
    }
    size_t written = 0;
    bool complete = m_file.Write(text.data(), text.size(), written);
    m_writtenByAll = m_nameLock.AddWritten(written);
    if (complete) {
        m_recordCut = false;
        return true;
    }
    // What got out stays: cutting the file back could take away records that other
    // processes wrote after it.
    uint32_t code = platform::LastSystemErrorCode();
    ++m_writeFailures;
    m_recordCut = m_recordCut || written > 0;
    m_lastWriteError = ErrorCodeToText(code);
    return false;
}

bool CFileAppender::DoAppend(const CLoggingEvent& event) {
    if (!Opened)
        return false;
    try {
        std::lock_guard<std::recursive_mutex> guard(m_lock);
        if (m_writing) {  // a layout that logs to its own appender
            std::string text;
            return FormatEvent(event, text) &&
                   WriteBounded(std::string_view(text).substr(0, MaxRecordLength));
        }
        CheckName();
        if (!m_file.IsOpen())
            return false;
        m_text.clear();
        if (!FormatEvent(event, m_text))
            return false;
        m_writing = true;
        bool written = WriteBounded(std::string_view(m_text).substr(0, MaxRecordLength));
        m_writing = false;
        if (written)
            RecordWritten();
        return written;
    } catch (...) {
        m_writing = false;
        return false;  // logging must never bring its host down
    }
}

void CFileAppender::CheckName() {
    uint32_t now = platform::TickCount();
    if (now - m_nameCheckedAt < RetryInterval)
        return;
    m_nameCheckedAt = now;
    if (m_file.IsOpen() ? m_file.IsNamed(FileNameCurrent) : !m_reopenPending)
        return;
    // Deleted, replaced, or moved away by another process's roll-over: the name is
    // opened again (its directories made again), under the lock so that only the
    // first process to create the file gives it a header.
    platform::FileNameLockScope lock(m_nameLock, LockTimeout);
    if (!lock.Held() || SwitchTo(FileNameCurrent, OpenMode::Append, false))
        return;
    // On some systems a file deleted while open keeps its name until the last handle
    // to it is closed: this one lets go, and the name is tried again a second later.
    m_file.Close();
    m_reopenPending = true;
}

std::string CFileAppender::BuildFileName() {
    return File;
}

std::string CFileAppender::NameTooLongText(std::string_view name) {
    return "unable to open file '" + std::string(name) +
           "':" + ErrorCodeToText(platform::NameTooLongError());
}

bool CFileAppender::OpenNamed(const std::string& name, OpenMode mode, platform::WritableFile& file,
                              std::string& error) {
    if (name.size() > platform::MaxPathLength) {
        error = NameTooLongText(name);
        return false;
    }
    PathParts parts = SplitPath(name);
    std::string directory(parts.drive);
    directory += parts.directory;
    if (!directory.empty() && IsSeparator(directory.back()))
        directory.pop_back();
    if (!directory.empty() && !DirectoryExists(directory) && !CreateDirectoryPath(directory, error))
        return false;
    if (!file.Open(name, mode == OpenMode::Append ? platform::WritableFile::Mode::Append
                                                  : platform::WritableFile::Mode::Truncate)) {
        error = "unable to open file '" + name + "':" + LastErrorText();
        return false;
    }
    return true;
}

bool CFileAppender::OpenFile(OpenMode mode, std::string& error) {
    try {
        FileNameCurrent = BuildFileName();
        if (m_file.IsOpen()) {
            error = "unable to open file, a file already opened (Appender:" + GetName() + ")";
            return false;
        }
        if (FileNameCurrent.empty()) {
            error = "unable to open file, no filename specified (Appender:" + GetName() + ")";
            return false;
        }
        m_nameLock.Bind(File);
        // Held while the header is decided, so that of processes starting together on
        // an empty file only one gives it a header when HeaderOnlyOnCreation is set.
        platform::FileNameLockScope lock(m_nameLock, LockTimeout);
        if (!OpenNamed(FileNameCurrent, mode, m_file, error))
            return false;
        uint64_t length = 0;
        m_file.Length(length);
        m_writeFailures = 0;
        m_lastWriteError.clear();
        m_recordCut = false;
        m_reopenPending = false;
        m_retryPending = false;
        FileChanged();
        m_nameCheckedAt = platform::TickCount();
        if (!HeaderOnlyOnCreation || length == 0) {
            std::string header;
            if (GetHeader(header))
                Write(header, nullptr);
        }
        return true;
    } catch (...) {
        error = "unable to open file '" + FileNameCurrent + "':out of memory";
        return m_file.IsOpen();
    }
}

bool CFileAppender::SwitchTo(const std::string& name, OpenMode mode, bool footer) {
    platform::WritableFile next;
    std::string ignored;
    if (!OpenNamed(name, mode, next, ignored))
        return false;
    std::string text;
    if (footer && GetFooter(text))
        Write(text, nullptr);
    m_file = std::move(next);
    FileNameCurrent = name;
    m_recordCut = false;
    m_reopenPending = false;
    FileChanged();
    m_nameCheckedAt = platform::TickCount();
    uint64_t length = 0;
    if (m_file.Length(length) && length == 0 && GetHeader(text))
        Write(text, nullptr);
    return true;
}

bool CFileAppender::RetryDue() const {
    return !m_retryPending || platform::TickCount() - m_retryAt >= RetryInterval;
}

void CFileAppender::RetryLater() {
    m_retryPending = true;
    m_retryAt = platform::TickCount();
}

std::string CFileAppender::ExpandEnvironmentText(std::string_view value) {
    std::string out;
    bool inName = false;    // a reference is being read
    bool dollar = false;    // ... and it began with "$"
    bool inBraces = false;  // ... and a "{" is open
    size_t nameStart = 0;
    std::string variable;
    auto appendVariable = [&](std::string_view rawName, bool removeBraces) {
        std::string name;
        for (char c : rawName)
            if (!removeBraces || (c != '{' && c != '}'))
                name += c;
        if (!name.empty() && platform::GetEnvironmentValue(name, variable))
            out += variable;
        inName = dollar = inBraces = false;
    };
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (!inName || !dollar) {
            if (c == '$') {  // also abandons a percent reference being read
                inName = dollar = true;
                inBraces = false;
                nameStart = i + 1;
            } else if (c == '%' && !inName) {
                if (i + 1 < value.size() && value[i + 1] == '%') {
                    out += '%';
                    ++i;
                } else {
                    inName = true;
                    nameStart = i + 1;
                }
            } else if (c == '%') {
                appendVariable(value.substr(nameStart, i - nameStart), false);
            } else if (!inName) {
                out += c;
            }
            continue;
        }
        if (c == '{') {
            inBraces = true;
        } else if (c == '}') {
            inBraces = false;
        } else if (!inBraces && !IsNameCharacter(c)) {
            appendVariable(value.substr(nameStart, i - nameStart), true);
            out += c;  // the character that ended the name is an ordinary one
        }
    }
    if (inName)
        appendVariable(value.substr(nameStart), true);
    return out;
}

CFileAppender::PathParts CFileAppender::SplitPath(std::string_view name) {
    name = name.substr(0, platform::MaxPathLength);
    PathParts parts;
    if (name.size() >= 2 && name[1] == ':') {
        parts.drive = name.substr(0, 2);
        name.remove_prefix(2);
    }
    size_t lastSeparator = name.find_last_of("\\/");
    if (lastSeparator != std::string_view::npos) {
        parts.directory = name.substr(0, lastSeparator + 1);
        name.remove_prefix(lastSeparator + 1);
    }
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        parts.baseName = name;
    } else {
        parts.baseName = name.substr(0, dot);
        parts.extension = name.substr(dot);
    }
    return parts;
}

void CFileAppender::AppendDatedName(std::string& out, std::string_view file,
                                    std::string_view dateText) {
    if (file.size() > platform::MaxPathLength) {
        out += file;
        return;
    }
    PathParts parts = SplitPath(file);
    out += parts.drive;
    out += parts.directory;
    out += parts.baseName;
    out += dateText;
    out += parts.extension;
}

bool CFileAppender::DirectoryExists(std::string_view path) {
    // A drive of a terminal-services client (\\client\c) is taken to be there.
    if (path.size() >= 8 && path.substr(0, 8) == "\\\\client" &&
        (path.size() < 10 || path.find('\\', 9) == std::string_view::npos))
        return true;
    return platform::DirectoryExists(path);
}

bool CFileAppender::CreateDirectoryPath(std::string_view path, std::string& error) {
    if (DirectoryExists(path))
        return true;
    uint32_t code = 0;
    // The first component (a drive, the server of a network path, or the root) is never
    // created; every further prefix is, outermost first.
    size_t start = (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) ? 2 : 0;
    size_t separator = start;
    while (separator < path.size() && !IsSeparator(path[separator]))
        ++separator;
    if (separator >= path.size()) {
        if (EnsureDirectory(path, code))
            return true;
        error = CreateDirectoryError(path, code);
        return false;
    }
    for (size_t i = separator + 1; i < path.size(); ++i) {
        if (!IsSeparator(path[i]))
            continue;
        std::string_view prefix = path.substr(0, i);
        if (!EnsureDirectory(prefix, code)) {
            error = CreateDirectoryError(prefix, code);
            return false;
        }
    }
    if (IsSeparator(path.back()) || EnsureDirectory(path, code))
        return true;
    error = CreateDirectoryError(path, code);
    return false;
}

}  // namespace scrivlog
