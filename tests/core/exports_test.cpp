// The shared library exports exactly the functions its public header declares.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace {

std::set<std::string> DeclaredFunctions() {
    std::ifstream header(POLVEX_SOURCE_DIR "/polvex/polvex.h");
    std::set<std::string> names;
    // Every declaration starts a line with the export macro: "POLVEX_API type Name(".
    const std::regex declaration(R"(^POLVEX_API [^(]*?\b(\w+)\()");
    std::smatch match;
    for (std::string line; std::getline(header, line);) {
        if (std::regex_search(line, match, declaration)) names.insert(match[1]);
    }
    return names;
}

std::set<std::string> ExportedFunctions() {
    std::set<std::string> names;
    std::FILE *nm = popen("nm -D --defined-only " POLVEX_LIBRARY_FILE, "r");
    if (!nm) return names;
    char line[512];
    while (std::fgets(line, sizeof line, nm)) {
        char type = 0;
        char name[400];
        if (std::sscanf(line, "%*s %c %399s", &type, name) == 2 && (type == 'T' || type == 'W')) names.insert(name);
    }
    pclose(nm);
    return names;
}

TEST(Exports, LibraryExportsExactlyTheDeclaredFunctions) {
    const std::set<std::string> declared = DeclaredFunctions();
    ASSERT_GT(declared.size(), 40u) << "the header's declarations were not found";
    const std::set<std::string> exported = ExportedFunctions();
    std::string undeclared, missing;
    for (const std::string &name : exported) {
        if (!declared.count(name)) undeclared += name + " ";
    }
    for (const std::string &name : declared) {
        if (!exported.count(name)) missing += name + " ";
    }
    EXPECT_EQ(undeclared, "") << "exported but not in the header";
    EXPECT_EQ(missing, "") << "declared but not exported";
}

}  // namespace
