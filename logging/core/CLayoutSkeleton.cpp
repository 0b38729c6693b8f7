#include "logging/core/CLayoutSkeleton.h"

namespace scrivlog {

CLayoutSkeleton::~CLayoutSkeleton() = default;

const char* CLayoutSkeleton::GetClassName() const {
    return "SkeletonLayout";
}

bool CLayoutSkeleton::SetParam(std::string_view, std::string_view) {
    return false;
}

std::string CLayoutSkeleton::GetParam(std::string_view) const {
    return {};
}

bool CLayoutSkeleton::FormatHeader(std::string& text, std::string_view, std::string_view) {
    text.clear();
    return false;
}

bool CLayoutSkeleton::FormatFooter(std::string& text, std::string_view, std::string_view) {
    text.clear();
    return false;
}

bool CLayoutSkeleton::Format(const CLoggingEvent& event, std::string& text) {
    text.assign(event.Message.view());
    text += '\n';
    return true;
}

}  // namespace scrivlog
