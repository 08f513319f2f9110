// Runs the built stagetool program and checks its exit status and output.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "common/file_access.h"
#include "common/stage_file.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/stage_maps.h"
#include "tests/support/temp_folder.h"
#include "tools/json_reader.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadText(const fs::path& path) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

class StagetoolTest : public ::testing::Test {
  protected:
    ProgramRun Stagetool(const std::vector<std::string>& args) {
        std::string command = Quoted(STAGETOOL_PATH);
        for (const std::string& arg : args)
            command += " " + Quoted(arg);
        command += " >" + Quoted(Path("stdout")) + " 2>" + Quoted(Path("stderr"));
        const int raw = std::system(command.c_str());
        ProgramRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadText(Path("stdout"));
        run.err = ReadText(Path("stderr"));
        return run;
    }

    std::string Path(const std::string& name) const { return (folder_.Path() / name).string(); }

    // An editor-written stage file in the test folder.
    std::string StageFile(const std::string& name, const EditorStage& stage,
                          KeyMaterial material = {33, 77}) {
        test::WriteFile(Path(name), WriteEditorStage(stage, material));
        return Path(name);
    }

    std::string TextFile(const std::string& name, std::string_view text) {
        test::WriteFile(Path(name), text);
        return Path(name);
    }

    // A valid 12 x 8 document with one cell replaced by `cell` text.
    std::string Document(const std::string& cell = "[0, 0, 0, 0]", int width = 12, int height = 8) {
        std::string json = "{\"background\": 1, \"width\": " + std::to_string(width) +
                           ", \"height\": " + std::to_string(height) + ", \"cells\": [\n";
        for (int y = 0; y < 8; ++y) {
            json += y ? ",\n[" : "[";
            for (int x = 0; x < 12; ++x) {
                json += x ? ", " : "";
                json += x == 0 && y == 0 ? cell : "[0, 0, 0, 0]";
            }
            json += "]";
        }
        return json + "\n]}\n";
    }

    test::TempFolder folder_;
};

void ExpectUsageError(const ProgramRun& run, const std::string& mention) {
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(mention), std::string::npos) << run.err;
}

// --- Usage errors ---

TEST_F(StagetoolTest, UsageErrorsExitTwoWithOneLine) {
    ExpectUsageError(Stagetool({}), "missing command");
    ExpectUsageError(Stagetool({"draw"}), "unknown command 'draw'");
    ExpectUsageError(Stagetool({"decode"}), "missing file name");
    ExpectUsageError(Stagetool({"decode", "a", "b"}), "unexpected argument 'b'");
    ExpectUsageError(Stagetool({"encode", "a.json"}), "missing file name");
    ExpectUsageError(Stagetool({"check", "--verbose", "x"}), "unknown option '--verbose'");
    ExpectUsageError(Stagetool({"decode", "--seed", "1", "x"}), "unknown option '--seed'");
    ExpectUsageError(Stagetool({"build", "m01.txt"}), "missing file name");
    ExpectUsageError(Stagetool({"text", "--seed", "1", "x"}), "unknown option '--seed'");
}

TEST_F(StagetoolTest, HelpListsEveryCommand) {
    const ProgramRun run = Stagetool({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const std::string command : {"decode", "encode", "render", "check", "text", "build"})
        EXPECT_NE(run.out.find("stagetool " + command + " "), std::string::npos) << command;
}

TEST_F(StagetoolTest, SeedMustBeAWholeNumberInRange) {
    const std::string json = TextFile("s.json", Document());
    const std::string out = Path("out.dat");
    ExpectUsageError(Stagetool({"encode", json, out, "--seed"}), "--seed needs a value");
    ExpectUsageError(Stagetool({"encode", json, out, "--seed", "x1"}), "not 'x1'");
    ExpectUsageError(Stagetool({"encode", json, out, "--seed", "-1"}), "not '-1'");
    ExpectUsageError(Stagetool({"encode", json, out, "--seed", "1.5"}), "not '1.5'");
    ExpectUsageError(Stagetool({"encode", json, out, "--seed", "18446744073709551616"}),
                     "out of range");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(Stagetool({"encode", json, out, "--seed", "18446744073709551615"}).status, 0);
}

TEST_F(StagetoolTest, MissingInputIsAUsageErrorNamingTheFile) {
    ExpectUsageError(Stagetool({"decode", Path("m01.dat")}), Path("m01.dat") + ": no such file");
    ExpectUsageError(Stagetool({"check", Path("m02.dat")}), Path("m02.dat") + ": no such file");
    ExpectUsageError(Stagetool({"encode", Path("x.json"), Path("o.dat")}), Path("x.json"));
    ExpectUsageError(Stagetool({"check", folder_.Path().string()}), "is a folder");
}

// A named pipe would keep the tool waiting for a writer; a file of gigabytes
// would not fit in memory, and no stage needs more than a megabyte.
TEST_F(StagetoolTest, RefusesInputsThatAreNotRegularFilesOrLargerThanAnyStage) {
    const std::string pipe = Path("pipe.dat");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    ExpectUsageError(Stagetool({"decode", pipe}), pipe + ": not a regular file");
    ExpectUsageError(Stagetool({"check", pipe}), pipe + ": not a regular file");
    ExpectUsageError(Stagetool({"encode", pipe, Path("o.dat")}), pipe + ": not a regular file");
    ExpectUsageError(Stagetool({"render", pipe, Path("o.png")}), pipe + ": not a regular file");

    RandomSource random(5);
    const std::string huge = StageFile("huge.dat", test::RandomEditorStage(random, 12, 8));
    fs::resize_file(huge, std::uintmax_t{4} << 30);
    ExpectUsageError(Stagetool({"decode", huge}), huge + ": larger than any stage file (" +
                                                      std::to_string(kMaxStageFileBytes) +
                                                      " bytes at most)");
    ExpectUsageError(Stagetool({"encode", huge, Path("o.dat")}), huge + ": larger than");
}

// --- decode ---

TEST_F(StagetoolTest, DecodePrintsTheStageWithKeysInOrder) {
    RandomSource random(4);
    const EditorStage stage = test::RandomEditorStage(random, 13, 9);
    const ProgramRun run = Stagetool({"decode", StageFile("m01.dat", stage)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string prefix = "{\"background\": " + std::to_string(stage.background) +
                               ", \"width\": 13, \"height\": 9, \"cells\": [";
    EXPECT_EQ(run.out.substr(0, prefix.size()), prefix);

    const std::variant<JsonValue, JsonError> parsed = ParseJson(run.out);
    ASSERT_TRUE(std::holds_alternative<JsonValue>(parsed));
    const JsonValue& cells = std::get<JsonValue>(parsed).members.at(3).value;
    ASSERT_EQ(cells.items.size(), 9u);
    for (int y = 0; y < 9; ++y) {
        ASSERT_EQ(cells.items[y].items.size(), 13u);
        for (int x = 0; x < 13; ++x) {
            const MapCell& expected = stage.cells[y * 13 + x];
            const std::vector<JsonValue>& layers = cells.items[y].items[x].items;
            ASSERT_EQ(layers.size(), 4u);
            EXPECT_EQ(layers[0].integer, expected.mainTile);
            EXPECT_EQ(layers[1].integer, expected.actorCode);
            EXPECT_EQ(layers[2].integer, expected.liftCode);
            EXPECT_EQ(layers[3].integer, expected.water);
        }
    }
}

TEST_F(StagetoolTest, DecodeSaysWhyItsOutputCannotBeWritten) {
    RandomSource random(3);
    const std::string file = StageFile("m01.dat", test::RandomEditorStage(random, 12, 8));
    const int raw = std::system((Quoted(STAGETOOL_PATH) + " decode " + Quoted(file) +
                                 " >/dev/full 2>" + Quoted(Path("stderr")))
                                    .c_str());
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    EXPECT_EQ(ReadText(Path("stderr")),
              "stagetool: cannot write the output: No space left on device\n");
}

TEST_F(StagetoolTest, DecodeReadsDamagedFilesAsTheEditorDoes) {
    const std::vector<std::uint8_t> header = {5, 3};
    test::WriteFile(Path("short.dat"), header);
    const ProgramRun run = Stagetool({"decode", Path("short.dat")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "{\"background\": 0, \"width\": 0, \"height\": 0, \"cells\": []}\n");
}

// --- encode ---

TEST_F(StagetoolTest, EncodeWritesWhatDecodePrints) {
    RandomSource random(6);
    const EditorStage stage = test::RandomEditorStage(random, 40, 20);
    const ProgramRun decoded = Stagetool({"decode", StageFile("m01.dat", stage)});
    ASSERT_EQ(decoded.status, 0);
    TextFile("m01.json", decoded.out);
    const ProgramRun encoded = Stagetool({"encode", Path("m01.json"), Path("m02.dat")});
    ASSERT_EQ(encoded.status, 0) << encoded.err;
    EXPECT_EQ(encoded.out + encoded.err, "");
    const std::optional<std::vector<std::uint8_t>> written = ReadFileBytes(Path("m02.dat"));
    ASSERT_TRUE(written);
    EXPECT_EQ(ReadEditorStage(*written), stage);
}

TEST_F(StagetoolTest, EncodeDrawsKeyMaterialFromTheEditorsSource) {
    const std::string json = TextFile("s.json", Document());
    ASSERT_EQ(Stagetool({"encode", json, Path("default.dat")}).status, 0);
    ASSERT_EQ(Stagetool({"encode", json, Path("seeded.dat"), "--seed", "12345"}).status, 0);
    ASSERT_EQ(Stagetool({"encode", "--seed", "12345", json, Path("first.dat")}).status, 0);

    RandomSource editor(kEditorRandomSeed);
    const KeyMaterial first = DrawKeyMaterial(editor);
    RandomSource seeded(12345);
    const KeyMaterial fromSeed = DrawKeyMaterial(seeded);
    const std::vector<std::uint8_t> defaultFile = *ReadFileBytes(Path("default.dat"));
    const std::vector<std::uint8_t> seededFile = *ReadFileBytes(Path("seeded.dat"));
    EXPECT_EQ((KeyMaterial{defaultFile[0], defaultFile[1]}), first);
    EXPECT_EQ((KeyMaterial{seededFile[0], seededFile[1]}), fromSeed);
    EXPECT_EQ(*ReadFileBytes(Path("first.dat")), seededFile);
}

TEST_F(StagetoolTest, EncodeWithTheFilesSeedReproducesItByteForByte) {
    RandomSource random(8);
    const EditorStage stage = test::RandomEditorStage(random, 20, 10);
    RandomSource seedThree(3);
    const std::string original = StageFile("a.dat", stage, DrawKeyMaterial(seedThree));
    const ProgramRun decoded = Stagetool({"decode", original});
    ASSERT_EQ(decoded.status, 0);
    const ProgramRun encoded =
        Stagetool({"encode", TextFile("a.json", decoded.out), Path("b.dat"), "--seed", "3"});
    ASSERT_EQ(encoded.status, 0) << encoded.err;
    EXPECT_EQ(*ReadFileBytes(Path("b.dat")), *ReadFileBytes(original));
}

TEST_F(StagetoolTest, EncodeRefusesValuesTheLayersCannotHold) {
    const std::string out = Path("out.dat");
    const auto refuse = [&](const std::string& cell, const std::string& mention) {
        const std::string json = TextFile("bad.json", Document(cell));
        ExpectUsageError(Stagetool({"encode", json, out}), mention);
    };
    refuse("[12, 0, 0, 0]", "mainTile 12 cannot be stored");
    refuse("[25, 0, 0, 0]", "mainTile 25 cannot be stored");
    refuse("[26, 0, 0, 0]", "mainTile 26 cannot be stored");
    refuse("[28, 0, 0, 0]", "mainTile 28 cannot be stored");
    refuse("[29, 0, 0, 0]", "mainTile 29 cannot be stored");
    refuse("[256, 0, 0, 0]", "mainTile 256 is outside 0..255");
    refuse("[-1, 0, 0, 0]", "mainTile -1 is outside 0..255");
    refuse("[0, 31, 0, 0]", "actorCode 31 cannot be stored");
    refuse("[0, 64, 0, 0]", "actorCode 64 cannot be stored");
    refuse("[0, 0, 11, 0]", "liftCode 11 cannot be stored");
    refuse("[0, 0, 20, 0]", "liftCode 20 cannot be stored");
    refuse("[0, 0, 25, 0]", "liftCode 25 cannot be stored");
    refuse("[0, 0, 0, 1]", "water 1 cannot be stored");
    refuse("[0, 0, 0]", "cell (0, 0) must be [mainTile, actorCode, liftCode, water]");
    refuse("[1.5, 0, 0, 0]", "must be an integer, not 1.5");
    refuse("[\"1\", 0, 0, 0]", "must be an integer, not a string");
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(StagetoolTest, EncodeAcceptsEveryValueTheLayersHold) {
    for (const std::string cell : {"[255, 63, 26, 25]", "[63, 32, 19, 0]", "[16, 48, 12, 25]"}) {
        const ProgramRun run =
            Stagetool({"encode", TextFile("ok.json", Document(cell)), Path("o.dat")});
        EXPECT_EQ(run.status, 0) << cell << ": " << run.err;
    }
}

TEST_F(StagetoolTest, EncodeRefusesSizesOutsideTheEditorsRangeOrDisagreeingWithTheArrays) {
    const std::string out = Path("out.dat");
    const auto refuse = [&](const std::string& json, const std::string& mention) {
        ExpectUsageError(Stagetool({"encode", TextFile("bad.json", json), out}), mention);
    };
    refuse(Document("[0, 0, 0, 0]", 11, 8), "width 11 is outside 12..255");
    refuse(Document("[0, 0, 0, 0]", 256, 8), "width 256 is outside 12..255");
    refuse(Document("[0, 0, 0, 0]", 12, 7), "height 7 is outside 8..255");
    refuse(Document("[0, 0, 0, 0]", 13, 8), "row 0 has 12 cells but width is 13");
    refuse(Document("[0, 0, 0, 0]", 12, 9), "cells has 8 rows but height is 9");
    refuse("{\"background\": 256, \"width\": 12, \"height\": 8, \"cells\": []}",
           "background 256 is outside 0..255");
    refuse("{\"width\": 12, \"height\": 8, \"cells\": []}", "missing key \"background\"");
    refuse("{\"background\": 0, \"background\": 0}", "key \"background\" appears twice");
    refuse("{\"stage\": 1}", "unknown key \"stage\"");
    refuse("[]", "must be a JSON object, not an array");
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(StagetoolTest, EncodeNamesTheLineOfMalformedJson) {
    const std::string json =
        TextFile("bad.json", "{\"background\": 0,\n\"width\": 12\n\"height\": 8}");
    ExpectUsageError(Stagetool({"encode", json, Path("out.dat")}),
                     json + ":3:1: expected ',' or '}'");
    const ProgramRun value =
        Stagetool({"encode", TextFile("v.json", Document("[0, 0, 0, 99]")), Path("o")});
    ExpectUsageError(value, ":2:12: cell (0, 0) water 99 cannot be stored");
}

TEST_F(StagetoolTest, EncodeReportsAnOutputItCannotWrite) {
    const std::string json = TextFile("s.json", Document());
    const ProgramRun run = Stagetool({"encode", json, Path("missing/m01.dat")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(Path("missing/m01.dat") + ": cannot be written"), std::string::npos);
}

TEST_F(StagetoolTest, EncodeReplacesAnExistingOutput) {
    TextFile("out.dat", "old");
    ASSERT_EQ(Stagetool({"encode", TextFile("s.json", Document()), Path("out.dat")}).status, 0);
    EXPECT_EQ(ReadFileBytes(Path("out.dat"))->size(), 5u + 96u);
}

// --- text and build ---

TEST_F(StagetoolTest, BuildOfTextGivesTheFileBack) {
    RandomSource random(16);
    const EditorStage stage = test::RandomEditorStage(random, 30, 12);
    const ProgramRun text = Stagetool({"text", StageFile("m05.dat", stage)});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    const std::string source = TextFile("m05.txt", text.out);
    const ProgramRun built = Stagetool({"build", source, Path("built.dat")});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.out + built.err, "");
    // The editor's own key material, as encode draws it.
    RandomSource editor(kEditorRandomSeed);
    EXPECT_EQ(*ReadFileBytes(Path("built.dat")), WriteEditorStage(stage, DrawKeyMaterial(editor)));
    ASSERT_EQ(Stagetool({"build", source, Path("seeded.dat"), "--seed", "9"}).status, 0);
    RandomSource seeded(9);
    EXPECT_EQ(*ReadFileBytes(Path("seeded.dat")), WriteEditorStage(stage, DrawKeyMaterial(seeded)));
}

TEST_F(StagetoolTest, BuildRefusesAFaultySourceNamingItsPlace) {
    const std::string source = TextFile("m06.txt", "background 2\nkey x main=12\nmap\n");
    ExpectUsageError(Stagetool({"build", source, Path("out.dat")}),
                     "stagetool: " + source + ":2:7: 'main=12': a stage file cannot hold main 12");
    const std::string noMap = TextFile("m07.txt", "background 2\n");
    ExpectUsageError(Stagetool({"build", noMap, Path("out.dat")}),
                     "stagetool: " + noMap + ":1: no map line");
    EXPECT_FALSE(fs::exists(Path("out.dat")));
}

// --- check ---

TEST_F(StagetoolTest, CheckAcceptsEditorWrittenStagesSilently) {
    RandomSource random(12);
    for (int i = 0; i < 5; ++i) {
        const EditorStage stage = test::RandomEditorStage(random, 12 + 50 * i, 8 + 60 * i);
        const ProgramRun run =
            Stagetool({"check", StageFile("m.dat", stage, DrawKeyMaterial(random))});
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_EQ(run.out + run.err, "");
    }
}

TEST_F(StagetoolTest, CheckListsEachProblemOnItsOwnLine) {
    const std::vector<std::uint8_t> payload = {0, 11, 8, 25, 12, 0, 28, 16};
    test::WriteFile(Path("bad.dat"), test::Scrambled({1, 2}, payload));
    const ProgramRun run = Stagetool({"check", Path("bad.dat")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    const std::string file = Path("bad.dat");
    EXPECT_EQ(run.out, file + ": multiplier 2 is even (the editor draws odd multipliers)\n" + file +
                           ": width 11 is outside 12..255\n" + file +
                           ": cell (0, 0): bytes 25 12 0 are not in the editor's form (12 25 0)\n" +
                           file +
                           ": cell (1, 0): escape 28 followed by 16 (the editor writes 0..15)\n" +
                           file + ": the file ends before cell (2, 0) (86 cells missing)\n");
}

TEST_F(StagetoolTest, CheckCapsALongList) {
    // 96 water-only cells in a one-byte-per-cell file: one problem per cell.
    std::vector<std::uint8_t> payload = {0, 12, 8};
    payload.resize(3 + 96, 25);
    test::WriteFile(Path("water.dat"), test::Scrambled({1, 3}, payload));
    const ProgramRun run = Stagetool({"check", Path("water.dat")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 51);
    EXPECT_NE(run.out.find(": ... and 46 more problems\n"), std::string::npos);
}

}  // namespace
}  // namespace tovek
