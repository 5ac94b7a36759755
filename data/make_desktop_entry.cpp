// Writes the desktop entry from its template, with the MIME types the formats' table says
// the desktop hands to the program.
// Usage: make_desktop_entry TEMPLATE OUTPUT
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "exchange/contact_formats.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_desktop_entry TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string entry = text.str();
    const std::string placeholder = "@QUILLMARK_MIME_TYPES@";
    const std::size_t at = entry.find(placeholder);
    if (!in || at == std::string::npos) {
        std::cerr << "make_desktop_entry: no " << placeholder << " in " << argv[1] << "\n";
        return 1;
    }
    entry.replace(at, placeholder.size(), qm::desktopMimeTypes());
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << entry;
    out.close();
    if (!out) {
        std::cerr << "make_desktop_entry: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
