#include "stats/record_sheet.h"

#include "stats/statistics.h"

namespace tarvelo {

RecordSheet MakeRecordSheet(std::string_view userName, const CompleteFigures& figures)
{
    RecordSheet sheet;
    sheet.userName = userName;
    sheet.lines = {"User:  " + std::string(userName), "Time Spent:  " + figures.lctime + " minutes",
                   "Words per Minute:  " + figures.lcwpm, "Accuracy:  " + figures.lcpercent + "%"};
    return sheet;
}

} // namespace tarvelo
