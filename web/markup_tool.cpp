// Writes the page's windows, their layout style, the media query of the one-column layout and
// the page title, made from the form's tables, and the page's own texts (web/page_texts.h), into
// five files, and the tables as JSON for the page's tests into a sixth; run under Node when
// Quorel.html is built.
//   quorel_page_markup <windows.html> <layout.css> <touch-media.txt> <title.txt> <texts.json>
//                      <tables.json>
#include "web/page_markup.h"

#include <cstdio>
#include <string>

namespace {

bool writeFile(const char *path, const std::string &text) {
    std::FILE *file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 7) {
        std::fputs("usage: quorel_page_markup <windows.html> <layout.css> <touch-media.txt> "
                   "<title.txt> <texts.json> <tables.json>\n",
                   stderr);
        return 2;
    }
    if (!writeFile(argv[1], quorel::web::windowsMarkup()) ||
        !writeFile(argv[2], quorel::web::layoutStyle()) ||
        !writeFile(argv[3], quorel::web::touchMedia()) ||
        !writeFile(argv[4], quorel::web::pageTitle()) ||
        !writeFile(argv[5], quorel::web::pageTextsJson()) ||
        !writeFile(argv[6], quorel::web::tablesJson())) {
        std::perror("quorel_page_markup");
        return 1;
    }
    return 0;
}
