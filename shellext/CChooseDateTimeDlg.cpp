#include "shellext/CChooseDateTimeDlg.h"

#include <algorithm>
#include <cstdio>

#include "platform/shell/FileTimeConversion.h"
#include "shellext/Module.h"

namespace tamarack {
namespace {

const char* const MonthNames[12] = {"January",   "February", "March",    "April",
                                    "May",       "June",     "July",     "August",
                                    "September", "October",  "November", "December"};

void AppendNumbers(platform::shell::DialogControls& controls, int list, int first, int last,
                   const char* format) {
    char text[16];
    for (int value = first; value <= last; ++value) {
        std::snprintf(text, sizeof text, format, value);
        controls.AppendListItem(list, text);
    }
}

// The value at the list's selected index, or `fallback` when nothing is selected.
int Selected(platform::shell::DialogControls& controls, int list, int first, int last,
             int fallback) {
    int index = controls.SelectedListItem(list);
    return index >= 0 && index <= last - first ? first + index : fallback;
}

}  // namespace

CChooseDateTimeDlg::CChooseDateTimeDlg(const platform::DateTime& preselectedLocal)
    : m_preselected(preselectedLocal),
      m_chosen(preselectedLocal),
      m_firstYear(std::max(1601, std::min(FirstOfferedYear, preselectedLocal.Year))),
      m_lastYear(std::min(30827, std::max(LastOfferedYear, preselectedLocal.Year))) {}

bool CChooseDateTimeDlg::DoModal() {
    return platform::shell::Services().ShowModalDialog(ModuleInstance, DateTimeDialogId, *this) ==
           IDOK;
}

bool CChooseDateTimeDlg::Unchanged() const {
    const platform::DateTime &a = m_chosen, &b = m_preselected;
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour &&
           a.Minute == b.Minute && a.Second == b.Second;
}

void CChooseDateTimeDlg::OnInitDialog(platform::shell::DialogControls& controls) {
    AppendNumbers(controls, DayList, 1, 31, "%d");
    for (const char* month : MonthNames)
        controls.AppendListItem(MonthList, month);
    AppendNumbers(controls, YearList, m_firstYear, m_lastYear, "%d");
    AppendNumbers(controls, HourList, 0, 23, "%02d");
    AppendNumbers(controls, MinuteList, 0, 59, "%02d");
    AppendNumbers(controls, SecondList, 0, 59, "%02d");
    controls.SelectListItem(DayList, m_preselected.Day - 1);
    controls.SelectListItem(MonthList, m_preselected.Month - 1);
    controls.SelectListItem(YearList, m_preselected.Year - m_firstYear);
    controls.SelectListItem(HourList, m_preselected.Hour);
    controls.SelectListItem(MinuteList, m_preselected.Minute);
    controls.SelectListItem(SecondList, m_preselected.Second);
}

void CChooseDateTimeDlg::OnOk(platform::shell::DialogControls& controls) {
    platform::DateTime chosen;
    chosen.Year = Selected(controls, YearList, m_firstYear, m_lastYear, m_preselected.Year);
    chosen.Month = Selected(controls, MonthList, 1, 12, m_preselected.Month);
    chosen.Day = Selected(controls, DayList, 1, 31, m_preselected.Day);
    chosen.Day = std::min(chosen.Day, platform::shell::DaysInMonth(chosen.Year, chosen.Month));
    chosen.Hour = Selected(controls, HourList, 0, 23, m_preselected.Hour);
    chosen.Minute = Selected(controls, MinuteList, 0, 59, m_preselected.Minute);
    chosen.Second = Selected(controls, SecondList, 0, 59, m_preselected.Second);
    chosen.Millisecond = 0;
    m_chosen = chosen;
}

}  // namespace tamarack
