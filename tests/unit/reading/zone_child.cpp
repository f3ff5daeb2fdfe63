// Says each line of its standard input as a date in French, in the local
// zone its environment sets; a line that is no date is written as it is,
// after "= ".
#include <cstdio>
#include <iostream>
#include <string>

#include "config/builtin_table.h"
#include "reading/date_speaking.h"

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::string spoken;
        if (!postsift::speakDateText(line.data(), line.size(), postsift::frenchDateWords, spoken)) spoken = "= " + line;
        std::fwrite(spoken.data(), 1, spoken.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}
