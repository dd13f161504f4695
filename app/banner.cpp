// The start-up banner: a fixed block of text centred between dashes inside a '*' frame.
#include "app/banner.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// Ten lines: an empty line (so the first centred line is all dashes), the name, the long name,
// the authors, two reference lines (the second continues on a further line), the rights
// notice, its years and the contact line.
constexpr std::string_view kBannerText =
    "\n"
    " Quorix : \n"
    "Point-group symmetry of protein assemblies\n"
    "Written by the Quorix developers\n"
    "When you use Quorix, please cite the Quorix user guide\n"
    "and the technical note on analytical symmetry fitting,\n"
    "both distributed with the program\n"
    "Copyright the Quorix developers, all rights reserved\n"
    "2014-2026\n"
    "Questions and reports: through the Quorix issue tracker";

void printRun(char c, int count) {
    for (int i = 0; i < count; ++i) std::putchar(c);
}

}  // namespace

void printHeader(int width) {
    std::printf("*");
    printRun('*', width);
    std::printf("*\n");

    std::string_view text = kBannerText;
    while (true) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        const int n = static_cast<int>(line.size());
        const int left = n < width ? (width - n) / 2 : 0;
        const int right = n < width ? width - n - left : 0;
        std::printf("*");
        printRun('-', left);
        std::printf("%.*s", n, line.data());
        printRun('-', right);
        std::printf("*\n");
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }

    std::printf("*");
    printRun('-', width);
    std::printf("*\n");
    std::printf("*");
    printRun('*', width);
    std::printf("*\n");
}
