// The "Choose Date/Time" dialog (template 101): six lists of days, months, years,
// hours, minutes and seconds in natural order, preselected with a given local time;
// OK makes the chosen local time available, Cancel leaves nothing chosen.
#pragma once

#include "platform/Clock.h"
#include "platform/shell/ShellServices.h"

namespace tamarack {

class CChooseDateTimeDlg : public platform::shell::DialogHandler {
  public:
    static constexpr int DayList = 1000;
    static constexpr int MonthList = 1001;
    static constexpr int YearList = 1002;
    static constexpr int HourList = 1003;
    static constexpr int MinuteList = 1004;
    static constexpr int SecondList = 1005;
    // The years offered always include these, and the preselected year.
    static constexpr int FirstOfferedYear = 1980;
    static constexpr int LastOfferedYear = 2099;

    explicit CChooseDateTimeDlg(const platform::DateTime& preselectedLocal);

    // Shows the dialog modally without an owner; true when OK ended it.
    bool DoModal();
    // The local time chosen with OK (a day past the month's end becomes its last day).
    const platform::DateTime& Chosen() const { return m_chosen; }
    // Whether the chosen time is the preselected one, to the second.
    bool Unchanged() const;
    int FirstYear() const { return m_firstYear; }
    int LastYear() const { return m_lastYear; }

    void OnInitDialog(platform::shell::DialogControls& controls) override;
    void OnOk(platform::shell::DialogControls& controls) override;

  private:
    platform::DateTime m_preselected;
    platform::DateTime m_chosen;
    int m_firstYear;
    int m_lastYear;
};

}  // namespace tamarack
