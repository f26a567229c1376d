#include "editor/language_help.h"

namespace tarvelo {

std::string_view LanguageHelpText()
{
    return "Language Changes\r\n\r\n"
           "Tarvelo can be adapted to another language written in the Latin alphabet. Other "
           "alphabets (Greek, Cyrillic, Arabic, ...) are not supported. To type in your "
           "language:\r\n\r\n"
           "1. Change the letters of the on-screen keyboard. In the typing window, click a key "
           "and type the letter it should show. For a key with symbols do it twice: first the "
           "plain symbol, then the shifted one. Each key holds up to 2 symbols.\r\n\r\n"
           "2. In the game, choose \"Modify Keys\" and select the keys the game may "
           "drop.\r\n\r\n"
           "3. Change the lessons by editing the file \"Tarvelo Lessons.txt\" in the "
           "installation folder. The instructions are inside the file.\r\n\r\n"
           "4. Change the practice text here in the editor: delete the text and paste in your "
           "own, then choose Save Changes.\r\n\r\n"
           "5. Send the author a copy of your changes, so other speakers of your language can "
           "use them too.\r\n\r\n"
           "Enjoy!";
}

} // namespace tarvelo
