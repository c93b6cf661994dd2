#include "platform/dbf_header.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string Valid() { return testing_support::MinimalDbf(2); }

void SetWord(std::string& dbf, std::size_t at, unsigned value) {
    dbf[at] = static_cast<char>(value & 0xFF);
    dbf[at + 1] = static_cast<char>(value >> 8);
}

// A table with one character field of `length` characters (Clipper keeps
// lengths above 255 in the decimals byte) and `records` rows.
std::string OneCharField(unsigned length, int records) {
    std::string dbf(32, '\0');
    dbf[0] = 0x03;
    dbf[4] = static_cast<char>(records);
    SetWord(dbf, 8, 32 + 32 + 1);
    SetWord(dbf, 10, length + 1);
    std::string field(32, '\0');
    field.replace(0, 4, "TEXT");
    field[11] = 'C';
    SetWord(field, 16, length);
    dbf += field + '\x0D';
    for (int r = 0; r < records; ++r) dbf += std::string(length + 1, ' ');
    return dbf + '\x1A';
}

struct HeaderCase {
    const char* what;
    std::function<std::string()> make;
    bool table;
};

TEST(DbaseHeader, AcceptsRealTablesAndRejectsEverythingElse) {
    const HeaderCase cases[] = {
        {"dBASE III table", [] { return Valid(); }, true},
        {"without records", [] { return testing_support::MinimalDbf(0); }, true},
        {"dBASE III with memo flag", [] { auto d = Valid(); d[0] = '\x83'; return d; }, true},
        {"dBASE IV with memo flag", [] { auto d = Valid(); d[0] = '\x8B'; return d; }, true},
        {"without end-of-file byte", [] { auto d = Valid(); d.pop_back(); return d; }, true},
        {"FoxPro header with its trailing block",
         [] {
             auto d = Valid();
             d[0] = 0x30;
             const std::size_t end = 32 + 64 + 1;
             d.insert(end, std::string(263, '\0'));
             SetWord(d, 8, end + 263);
             return d;
         },
         true},
        {"character field of 300 characters", [] { return OneCharField(300, 2); }, true},
        {"empty file", [] { return std::string(); }, false},
        {"shorter than a header", [] { return Valid().substr(0, 31); }, false},
        {"text file", [] { return std::string("Dies ist keine Tabelle, sondern ein Brief an die Nutzer.\r\n"); }, false},
        {"unknown version byte", [] { auto d = Valid(); d[0] = 0x07; return d; }, false},
        {"record length not the fields' sum", [] { auto d = Valid(); SetWord(d, 10, 30); return d; }, false},
        {"header longer than the file", [] { auto d = Valid(); SetWord(d, 8, 5000); return d; }, false},
        {"descriptors not closed", [] { auto d = Valid(); d[32 + 64] = ' '; return d; }, false},
        {"no field", [] { auto d = Valid(); d.erase(32, 64); SetWord(d, 8, 33); SetWord(d, 10, 1); return d; }, false},
        {"a record missing", [] { auto d = Valid(); d.resize(d.size() - 1 - 31); return d; }, false},
        {"more records declared than present", [] { auto d = Valid(); d[4] = 3; return d; }, false},
    };
    for (const auto& c : cases) {
        const std::string bytes = c.make();
        EXPECT_EQ(rt::IsDbaseTable(bytes, bytes.size()), c.table) << c.what;
    }
}

TEST(DbaseHeader, NeedsTheWholeHeaderInTheLeadingBytes) {
    const std::string dbf = Valid();
    EXPECT_FALSE(rt::IsDbaseTable(std::string_view(dbf).substr(0, 40), dbf.size()));
}

}  // namespace
