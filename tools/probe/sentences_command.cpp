#include "commands.h"
#include "json_bytes.h"
#include "material/practice_text.h"

#include <iostream>

namespace tarvelo::probe {

int RunSentences(const std::string& file, std::ostream& out)
{
    PracticeText text;
    if (!text.LoadPracticeText(file)) {
        std::cerr << "cannot read " << file << "\n";
        return 1;
    }
    for (const std::string& sentence : text.PracticeSentences())
        out << BytesToJson(sentence).dump() << "\n";
    return 0;
}

} // namespace tarvelo::probe
