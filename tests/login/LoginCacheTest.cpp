// The cache file "User.db": schema, round trips, legacy tables and verbatim texts.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CppSQLite3DB.h"
#include "LoginDataBase.h"
#include "LoginTestHelpers.h"
#include "TestSupport.h"
#include "TextConvert.h"

using namespace testsupport;

namespace {

const char kInfoTableSql[] =
    "CREATE TABLE [InfoTable]([id] INTEGER PRIMARY KEY,[name] TEXT,[ip] TEXT,[ips] TEXT,[port] INTEGER,"
    "[token] TEXT,[hidetime] INTEGER,[position] INTEGER,[skin] INTEGET,[mini] INTEGER)";
const char kToolTableSql[] =
    "CREATE TABLE [ToolTable]([idx] INTEGER PRIMARY KEY,[name] TEXT,[img] TEXT,[path] TEXT,[type] INTEGER,"
    "[open] INTEGER)";

class LoginCache : public testing::Test {
 protected:
  std::wstring Path() const { return dir_.File(L"User.db"); }

  // A second connection to the file, for looking at it from outside.
  CppSQLite3DB& Raw() {
    if (!raw_.IsOpen()) raw_.Open(WideToUtf8(Path()));
    return raw_;
  }

  std::string TableSql(const std::string& table) {
    CppSQLite3Query q = Raw().ExecQuery("SELECT sql FROM sqlite_master WHERE type='table' AND name=?;",
                                        {SqlParam::Text(table)});
    return q.Eof() ? std::string() : q.GetStringField(0);
  }

  int Count(const std::string& table) { return Raw().ExecScalar("SELECT count(*) FROM " + table + ";"); }

  static VenueProfile Profile() {
    VenueProfile p;
    p.id = "12";
    p.realname = "Cafe One";
    p.service_ip = "192.168.1.5";
    p.service_ips = "192.168.1.5;192.168.1.6";
    p.service_port = 8000;
    p.token = "tk-1";
    p.client_hide_time = 15;
    p.client_position = 2;
    p.skin = 3;
    p.client_is_mini = true;
    return p;
  }

  static std::vector<ToolEntry> Tools() {
    return {Tool(0, "Shop", true, 1, "a.png", "C:\\a.exe"), Tool(1, "Game", false, 2, "b.png", "D:\\b.exe"),
            Tool(2, "Web", true, 3, "c.png", "http://x/")};
  }

  TempDir dir_;
  CppSQLite3DB raw_;
};

TEST_F(LoginCache, FirstRunCreatesBothTables) {
  ASSERT_FALSE(FileExists(Path()));
  LoginDataBase cache(Path());
  EXPECT_TRUE(FileExists(Path()));
  EXPECT_EQ(kInfoTableSql, TableSql("InfoTable"));
  EXPECT_EQ(kToolTableSql, TableSql("ToolTable"));
  VenueProfile profile;
  profile.realname = "kept";
  EXPECT_FALSE(cache.LoadInfo(profile));
  EXPECT_EQ("kept", profile.realname);
  EXPECT_EQ("0", profile.id);
}

TEST_F(LoginCache, ProfileAndThreeToolsRoundTrip) {
  LoginDataBase cache(Path());
  ASSERT_TRUE(cache.ClearInfoTable());
  ASSERT_TRUE(cache.ClearToolTable());
  ASSERT_TRUE(cache.AddInfo(Profile()));
  for (const ToolEntry& tool : Tools()) ASSERT_TRUE(cache.AddTool(tool));

  EXPECT_EQ(1, Count("InfoTable"));
  EXPECT_EQ(12, Raw().ExecScalar("SELECT id FROM InfoTable;"));
  EXPECT_EQ(3, Count("ToolTable"));

  VenueProfile loaded;
  ASSERT_TRUE(cache.LoadInfo(loaded));
  ExpectSameCachedFields(Profile(), loaded);

  // Loading appends to what the list already holds.
  std::vector<ToolEntry> tools = {Tool(5, "first"), Tool(6, "second")};
  ASSERT_TRUE(cache.LoadTools(tools));
  std::vector<ToolEntry> expected = {Tool(5, "first"), Tool(6, "second")};
  for (const ToolEntry& tool : Tools()) expected.push_back(tool);
  EXPECT_EQ(expected, tools);
}

TEST_F(LoginCache, StoringTheSameToolsTwiceKeepsOneRowPerIdx) {
  LoginDataBase cache(Path());
  for (int round = 0; round < 2; ++round) {
    for (const ToolEntry& tool : Tools()) ASSERT_TRUE(cache.AddTool(tool));
  }
  EXPECT_EQ(3, Count("ToolTable"));
  ASSERT_TRUE(cache.AddInfo(Profile()));
  ASSERT_TRUE(cache.AddInfo(Profile()));
  EXPECT_EQ(1, Count("InfoTable"));
}

TEST_F(LoginCache, ToolsLoadInIdxOrder) {
  LoginDataBase cache(Path());
  std::vector<ToolEntry> tools = Tools();
  for (auto it = tools.rbegin(); it != tools.rend(); ++it) ASSERT_TRUE(cache.AddTool(*it));
  std::vector<ToolEntry> loaded;
  ASSERT_TRUE(cache.LoadTools(loaded));
  EXPECT_EQ(tools, loaded);
}

TEST_F(LoginCache, NullColumnsLoadAsEmptyOrZero) {
  LoginDataBase cache(Path());
  Raw().ExecDml("INSERT INTO InfoTable (id) VALUES(5);");
  Raw().ExecDml("INSERT INTO ToolTable (idx) VALUES(4);");
  VenueProfile loaded = Profile();
  ASSERT_TRUE(cache.LoadInfo(loaded));
  VenueProfile expected;
  expected.id = "5";
  expected.realname = "";
  ExpectSameCachedFields(expected, loaded);
  std::vector<ToolEntry> tools;
  ASSERT_TRUE(cache.LoadTools(tools));
  EXPECT_EQ(std::vector<ToolEntry>{Tool(4, "")}, tools);
}

TEST_F(LoginCache, ExistingCacheIsReadWithoutChange) {
  Raw().ExecDml(std::string(kInfoTableSql) + ";");
  Raw().ExecDml(std::string(kToolTableSql) + ";");
  Raw().ExecDml("INSERT INTO InfoTable VALUES(31, 'Old Cafe', '1.2.3.4', '', 7000, 't', 5, 1, 2, 0);");
  Raw().ExecDml("INSERT INTO ToolTable VALUES(0, 'n', 'i', 'p', 4, 1);");
  LoginDataBase cache(Path());
  EXPECT_EQ(kInfoTableSql, TableSql("InfoTable"));
  VenueProfile loaded;
  ASSERT_TRUE(cache.LoadInfo(loaded));
  EXPECT_EQ("31", loaded.id);
  EXPECT_EQ("Old Cafe", loaded.realname);
  EXPECT_EQ(7000, loaded.service_port);
  EXPECT_EQ(2, loaded.skin);
  std::vector<ToolEntry> tools;
  ASSERT_TRUE(cache.LoadTools(tools));
  EXPECT_EQ(std::vector<ToolEntry>{Tool(0, "n", true, 4, "i", "p")}, tools);
}

TEST_F(LoginCache, LegacyIdIsReadAndLegacyTablesDropped) {
  Raw().ExecDml("CREATE TABLE WbInfoTable (wb_id INTEGER, wb_name TEXT);");
  Raw().ExecDml("INSERT INTO WbInfoTable VALUES(3456, 'legacy');");
  Raw().ExecDml("CREATE TABLE GameInfoTable (name TEXT);");
  LoginDataBase cache(Path());
  VenueProfile profile;
  ASSERT_TRUE(cache.LoadLegacyId(profile));
  EXPECT_EQ("3456", profile.id);
  EXPECT_TRUE(cache.DropWbInfoTable());
  EXPECT_TRUE(cache.DropGameInfoTable());
  EXPECT_EQ("", TableSql("WbInfoTable"));
  EXPECT_EQ("", TableSql("GameInfoTable"));
  // A second time there is nothing left to migrate.
  profile.id = "0";
  EXPECT_FALSE(cache.LoadLegacyId(profile));
  EXPECT_EQ("0", profile.id);
  EXPECT_FALSE(cache.DropWbInfoTable());
  EXPECT_FALSE(cache.DropGameInfoTable());
}

TEST_F(LoginCache, EmptyLegacyTableHasNoId) {
  Raw().ExecDml("CREATE TABLE WbInfoTable (wb_id INTEGER);");
  LoginDataBase cache(Path());
  VenueProfile profile;
  EXPECT_FALSE(cache.LoadLegacyId(profile));
  EXPECT_EQ("0", profile.id);
}

struct TextCase {
  const char* label;
  std::string text;
};

// The case's label, so that test names stay readable.
void PrintTo(const TextCase& c, std::ostream* out) { *out << c.label; }

class LoginCacheTexts : public LoginCache, public testing::WithParamInterface<TextCase> {};

TEST_P(LoginCacheTexts, StoredVerbatim) {
  const std::string& text = GetParam().text;
  LoginDataBase cache(Path());
  VenueProfile profile = Profile();
  profile.realname = text;
  profile.token = text + "t";
  profile.service_ip = "i" + text;
  profile.service_ips = text + text;
  ASSERT_TRUE(cache.AddInfo(profile));
  ToolEntry tool = Tool(0, text, true, 1, text + ".png", "C:\\" + text);
  ASSERT_TRUE(cache.AddTool(tool));

  VenueProfile loaded;
  ASSERT_TRUE(cache.LoadInfo(loaded));
  ExpectSameCachedFields(profile, loaded);
  std::vector<ToolEntry> tools;
  ASSERT_TRUE(cache.LoadTools(tools));
  EXPECT_EQ(std::vector<ToolEntry>{tool}, tools);
  EXPECT_EQ(1, Count("InfoTable"));
  EXPECT_EQ(1, Count("ToolTable"));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LoginCacheTexts,
    testing::Values(TextCase{"Apostrophe", "O'Brien's"}, TextCase{"DoubledApostrophe", "a''b"},
                    TextCase{"ClosingTheStatement", "x'); DROP TABLE InfoTable; --"},
                    TextCase{"Comment", "'/* */ -- "}, TextCase{"Quotes", "\"q\" [b] `c`"},
                    TextCase{"FormatSpecifiers", "%s%d%n"}, TextCase{"Chinese", "\xE7\xBD\x91\xE5\x90\xA7"},
                    TextCase{"EmbeddedNul", std::string("a\0b", 3)}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.label); });

struct IdCase {
  const char* label;
  const char* id;
  bool stored;
};

// The case's label, so that test names stay readable.
void PrintTo(const IdCase& c, std::ostream* out) { *out << c.label; }

class LoginCacheIds : public LoginCache, public testing::WithParamInterface<IdCase> {};

TEST_P(LoginCacheIds, OnlyDecimalIdsAreStored) {
  LoginDataBase cache(Path());
  VenueProfile profile = Profile();
  profile.id = GetParam().id;
  EXPECT_EQ(GetParam().stored, cache.AddInfo(profile));
  EXPECT_EQ(GetParam().stored ? 1 : 0, Count("InfoTable"));
  if (GetParam().stored) {
    VenueProfile loaded;
    ASSERT_TRUE(cache.LoadInfo(loaded));
    EXPECT_EQ(GetParam().id, loaded.id);
  }
}

INSTANTIATE_TEST_SUITE_P(Ids, LoginCacheIds,
                         testing::Values(IdCase{"Decimal", "12", true}, IdCase{"Negative", "-5", true},
                                         IdCase{"Large", "9223372036854775807", true},
                                         IdCase{"Empty", "", false}, IdCase{"Letters", "12a", false},
                                         IdCase{"Space", " 12", false},
                                         IdCase{"Sql", "1); DELETE FROM ToolTable; --", false},
                                         IdCase{"TooLarge", "9223372036854775808", false}),
                         [](const testing::TestParamInfo<IdCase>& info) {
                           return std::string(info.param.label);
                         });

TEST_F(LoginCache, FileThatIsNotADatabaseFailsEveryOperation) {
  ASSERT_TRUE(WriteFileBytes(Path(), std::string(4096, 'x')));
  LoginDataBase cache(Path());
  VenueProfile profile;
  std::vector<ToolEntry> tools;
  EXPECT_FALSE(cache.LoadInfo(profile));
  EXPECT_FALSE(cache.LoadTools(tools));
  EXPECT_FALSE(cache.ClearInfoTable());
  EXPECT_FALSE(cache.ClearToolTable());
  EXPECT_FALSE(cache.AddInfo(Profile()));
  EXPECT_FALSE(cache.AddTool(Tool(0, "x")));
  EXPECT_FALSE(cache.LoadLegacyId(profile));
  EXPECT_EQ("0", profile.id);
  EXPECT_EQ(std::string(4096, 'x'), ReadFileBytes(Path()));
}

TEST_F(LoginCache, FolderThatCannotHoldTheFileFailsEveryOperation) {
  LoginDataBase cache(dir_.File(L"missing\\User.db"));
  VenueProfile profile;
  std::vector<ToolEntry> tools;
  EXPECT_FALSE(cache.LoadInfo(profile));
  EXPECT_FALSE(cache.LoadTools(tools));
  EXPECT_FALSE(cache.AddInfo(Profile()));
  EXPECT_FALSE(cache.DropWbInfoTable());
}

TEST_F(LoginCache, LockHeldPastTheBusyTimeOutFailsTheStore) {
  LoginDataBase cache(Path(), 200);
  ASSERT_TRUE(cache.AddTool(Tool(0, "before")));
  Raw().ExecDml("BEGIN IMMEDIATE;");
  EXPECT_FALSE(cache.AddTool(Tool(1, "during")));
  EXPECT_FALSE(cache.ClearToolTable());
  // Reading is still possible while the other connection only holds its reserved lock.
  std::vector<ToolEntry> tools;
  EXPECT_TRUE(cache.LoadTools(tools));
  Raw().ExecDml("ROLLBACK;");
  EXPECT_TRUE(cache.AddTool(Tool(1, "after")));
  EXPECT_EQ(2, Count("ToolTable"));
}

struct ErrorTextCase {
  int code;
  const char* text;
  const char* message;
};

void PrintTo(const ErrorTextCase& c, std::ostream* out) { *out << c.code; }

class LoginCacheErrors : public testing::TestWithParam<ErrorTextCase> {};

TEST_P(LoginCacheErrors, MessageNamesTheCode) {
  CppSQLite3Exception e(GetParam().code, GetParam().text);
  EXPECT_EQ(GetParam().code, e.ErrorCode());
  EXPECT_STREQ(GetParam().message, e.ErrorMessage());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, LoginCacheErrors,
    testing::Values(ErrorTextCase{0, "not an error", "SQLITE_OK[0]: not an error"},
                    ErrorTextCase{5, "database is locked", "SQLITE_BUSY[5]: database is locked"},
                    ErrorTextCase{25, "x", "SQLITE_RANGE[25]: x"},
                    ErrorTextCase{26, "x", "UNKNOWN_ERROR[26]: x"},
                    ErrorTextCase{101, "x", "SQLITE_DONE[101]: x"},
                    ErrorTextCase{1000, "Database not open", "CPPSQLITE_ERROR[1000]: Database not open"},
                    ErrorTextCase{-1, "x", "UNKNOWN_ERROR[-1]: x"}));

TEST(LoginCacheWrapper, MisuseRaisesTheWrappersOwnErrors) {
  CppSQLite3DB db;
  try {
    db.ExecDml("DELETE FROM InfoTable;");
    ADD_FAILURE() << "no exception";
  } catch (const CppSQLite3Exception& e) {
    EXPECT_STREQ("CPPSQLITE_ERROR[1000]: Database not open", e.ErrorMessage());
  }
  db.Open(":memory:");
  try {
    db.ExecScalar("SELECT 1 WHERE 0;");
    ADD_FAILURE() << "no exception";
  } catch (const CppSQLite3Exception& e) {
    EXPECT_STREQ("CPPSQLITE_ERROR[1000]: Invalid scalar query", e.ErrorMessage());
  }
  CppSQLite3Query q = db.ExecQuery("SELECT 1, NULL;");
  EXPECT_EQ(2, q.NumFields());
  EXPECT_EQ("", q.GetStringField(1));
  EXPECT_EQ(0, q.GetIntField(1));
  try {
    q.GetIntField(2);
    ADD_FAILURE() << "no exception";
  } catch (const CppSQLite3Exception& e) {
    EXPECT_STREQ("CPPSQLITE_ERROR[1000]: Invalid field index requested", e.ErrorMessage());
  }
  try {
    db.ExecDml("SELEKT;");
    ADD_FAILURE() << "no exception";
  } catch (const CppSQLite3Exception& e) {
    EXPECT_EQ(1, e.ErrorCode());
    EXPECT_EQ(0, std::string(e.ErrorMessage()).rfind("SQLITE_ERROR[1]: ", 0)) << e.ErrorMessage();
  }
}

}  // namespace
