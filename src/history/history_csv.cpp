#include "history/history_csv.h"

#include "profile/code_page.h"
#include "profile/data_file.h"

#include <cstdio>
#include <ctime>

namespace tarvelo {
namespace {

std::string Quoted(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(field);
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string Utf8(std::string_view codePageText)
{
    std::string utf8;
    for (char32_t c : codepage::ToUnicode(codePageText)) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

std::string IsoUtc(std::int64_t utc)
{
    const auto time = static_cast<std::time_t>(utc);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::string Ticks(double ticks)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", ticks);
    return text;
}

} // namespace

std::string HistoryCsv(std::span<const RunRecord> runs)
{
    std::string csv = "user,name,start_utc,end_utc,mode,lesson,characters,errors,ticks,wpm,"
                      "accuracy,detection\r\n";
    for (const RunRecord& run : runs) {
        csv += Quoted(run.userSection) + ',' + Quoted(Utf8(run.userName)) + ',' +
               IsoUtc(run.startUtc) + ',' + IsoUtc(run.endUtc) + ',' +
               std::string(RunModeName(run.mode)) + ',' +
               (run.mode == RunMode::Lesson ? std::to_string(run.lessonNumber) : "") + ',' +
               std::to_string(run.characters) + ',' + std::to_string(run.errors) + ',' +
               Ticks(run.ticks) + ',' + std::to_string(run.wpm) + ',' +
               std::to_string(run.accuracy) + ',' + (run.detection ? "on" : "off") + "\r\n";
    }
    return csv;
}

bool ExportHistoryCsv(const std::string& path, std::span<const RunRecord> runs)
{
    return WriteFileAtomically(path, HistoryCsv(runs));
}

} // namespace tarvelo
