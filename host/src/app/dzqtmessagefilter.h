#pragma once

// Qt's warnings about something the host reports to the user in its own words (a URL no
// application could open, say) are dropped while one of these lives. Other messages pass.
class DzQtWarningsReportedByHost {
public:
    DzQtWarningsReportedByHost();
    ~DzQtWarningsReportedByHost();
    DzQtWarningsReportedByHost(const DzQtWarningsReportedByHost&) = delete;
    DzQtWarningsReportedByHost& operator=(const DzQtWarningsReportedByHost&) = delete;
};
