// The batch commands' common ground: the words, and reading a design.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "files/DimensionFile.h"

using namespace tevrane;

TEST(CommandLine, WordsDecideBetweenBatchAndWindow) {
    char prog[] = "tevrane", design[] = "design.dtv", events[] = "--events";
    char* window[] = {prog, design};
    char* batch[] = {prog, events, design};
    EXPECT_FALSE(isBatchCommand(2, window));
    EXPECT_TRUE(isBatchCommand(3, batch));
    EXPECT_FALSE(isBatchCommand(1, window));

    std::ostringstream out, err;
    EXPECT_EQ(runBatchCommand({"--frobnicate"}, out, err), 2);
    EXPECT_NE(err.str().find("--frobnicate"), std::string::npos);
    EXPECT_EQ(runBatchCommand({"--help"}, out, err), 0);
    for (const BatchCommand& c : batchCommands()) EXPECT_NE(out.str().find(c.usage), std::string::npos);

    // Output that cannot be written (a stream that refuses, as /dev/full
    // does) fails the command, with the reason.
    std::ostream refused(nullptr);
    std::ostringstream why;
    EXPECT_EQ(runBatchCommand({"--help"}, refused, why), 1);
    EXPECT_NE(why.str().find("could not be written"), std::string::npos);
}

TEST(CommandLine, LoadDesignReadsWholeFilesAndRefusesTheRest) {
    Model m;
    EXPECT_EQ(loadDesign("/nonexistent/dir/x.dtv", m), "File not found");

    // A short file is refused and leaves the defaults.
    const auto dir = std::filesystem::temp_directory_path();
    const std::string shortFile = (dir / "tevrane_short.dtv").string();
    { std::ofstream(shortFile, std::ios::binary) << std::string(700, '\0'); }
    Model d;
    initModel(d);
    EXPECT_EQ(loadDesign(shortFile, m), "Read beyond end of file");
    EXPECT_EQ(m.stroke, d.stroke);
    std::filesystem::remove(shortFile);

    // What is not a regular file is refused at once: a folder, a pipe with
    // no writer, a device; a sparse 1 GiB file is read only as far as a
    // design goes (its rest is ignored, as any longer file's).
    const auto start = std::chrono::steady_clock::now();
    const auto folder = dir / "tevrane_folder.dtv";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(loadDesign(folder.string(), m), "Is a folder, not a file");
    std::filesystem::remove(folder);
    const std::string pipe = (dir / "tevrane_pipe.dtv").string();
    std::filesystem::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(loadDesign(pipe, m), "Not a regular file (a pipe)");
    std::filesystem::remove(pipe);
    EXPECT_EQ(loadDesign("/dev/zero", m), "Not a regular file (a device)");
    EXPECT_EQ(m.stroke, d.stroke);
    const std::string huge = (dir / "tevrane_huge.dtv").string();
    {
        std::ofstream f(huge, std::ios::binary);
        const auto bytes = encodeDimensions(d);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 30);
    EXPECT_EQ(loadDesign(huge, m), "");
    EXPECT_EQ(m.currentFileName, "tevrane_huge");
    std::filesystem::remove(huge);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // An example design loads with its name and its own dimensions.
    ASSERT_EQ(loadDesign(TEVRANE_DATA_DIR "/long-travel.dtv", m), "");
    EXPECT_EQ(m.currentFileName, "long-travel");
    EXPECT_NE(encodeDimensions(m), encodeDimensions(d));
}

TEST(EventsCommand, PrintsTheTableAndRefusesDamagedFilesAndBadWords) {
    std::ostringstream out, err;
    ASSERT_EQ(runBatchCommand({"--events", TEVRANE_DATA_DIR "/default.dtv"}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("Valve events of default"), std::string::npos);
    EXPECT_NE(out.str().find("Cut-off"), std::string::npos);
    EXPECT_NE(out.str().find("full gear"), std::string::npos);
    EXPECT_TRUE(err.str().empty());

    std::ostringstream csv;
    ASSERT_EQ(runBatchCommand({"--events", TEVRANE_DATA_DIR "/default.dtv", "--csv"}, csv, err), 0);
    EXPECT_EQ(csv.str().rfind("design,number,reverse_arm,", 0), 0u);

    const std::string shortFile = (std::filesystem::temp_directory_path() / "tevrane_events_short.dtv").string();
    { std::ofstream(shortFile, std::ios::binary) << std::string(1399, '\0'); }
    std::ostringstream none, why;
    EXPECT_EQ(runBatchCommand({"--events", shortFile}, none, why), 1);
    std::filesystem::remove(shortFile);
    EXPECT_TRUE(none.str().empty());
    EXPECT_NE(why.str().find("Read beyond end of file"), std::string::npos);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--events"}, {"--events", "a.dtv", "--csv", "--json"}, {"--events", "a.dtv", "b.dtv"},
          {"--events", "a.dtv", "--xml"}}) {
        std::ostringstream o, e;
        EXPECT_EQ(runBatchCommand(bad, o, e), 2) << bad.size();
        EXPECT_FALSE(e.str().empty());
    }
}

TEST(CheckCommand, NamesWhatIsWrongAndExitsThreeOnlyForErrorsAndWarnings) {
    std::ostringstream out, err;
    // The default design's notches are not equalised: warnings, exit 3.
    EXPECT_EQ(runBatchCommand({"--check", TEVRANE_DATA_DIR "/default.dtv"}, out, err), 3) << err.str();
    EXPECT_EQ(out.str().rfind("warning cutoff-unequal (forward): At the forward notch for", 0), 0u) << out.str();
    // With room enough between front and back it has nothing to report.
    std::ostringstream calm;
    EXPECT_EQ(runBatchCommand({"--check", TEVRANE_DATA_DIR "/default.dtv", "--tolerance", "100"}, calm, err), 0);
    EXPECT_EQ(calm.str().rfind("No findings", 0), 0u) << calm.str();

    // A gear made impossible: a reverse arm shorter than its travel.
    Model m;
    ASSERT_EQ(loadDesign(TEVRANE_DATA_DIR "/default.dtv", m), "");
    m.reverseArmLength = 0.5f;
    const std::string broken = (std::filesystem::temp_directory_path() / "tevrane_check_broken.dtv").string();
    {
        const auto bytes = encodeDimensions(m);
        std::ofstream(broken, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
    }
    std::ostringstream bad, json;
    EXPECT_EQ(runBatchCommand({"--check", broken}, bad, err), 3);
    EXPECT_EQ(bad.str().rfind("error clamped (forward, setting ", 0), 0u) << bad.str();
    EXPECT_NE(bad.str().find("error clamped (reverse, setting "), std::string::npos);
    EXPECT_EQ(runBatchCommand({"--check", broken, "--json"}, json, err), 3);
    EXPECT_EQ(json.str().rfind("{\"findings\": [\n  {\"severity\": \"error\", \"code\": \"clamped\", \"sense\": \"forward\"", 0),
              0u)
        << json.str();
    std::filesystem::remove(broken);

    std::ostringstream none;
    EXPECT_EQ(runBatchCommand({"--check", "/nonexistent/x.dtv"}, none, err), 1);
    EXPECT_EQ(runBatchCommand({"--check"}, none, err), 2);
    EXPECT_EQ(runBatchCommand({"--check", TEVRANE_DATA_DIR "/default.dtv", "--tolerance", "-1"}, none, err), 2);
    EXPECT_EQ(runBatchCommand({"--check", TEVRANE_DATA_DIR "/default.dtv", "--notches", "100"}, none, err), 2);
    EXPECT_TRUE(none.str().empty());
}

TEST(EventsCommand, TheNotchesAreReadAsTheWindowsReadThem) {
    std::ostringstream out, err;
    ASSERT_EQ(runBatchCommand({"--events", TEVRANE_DATA_DIR "/default.dtv", "--notches", "50; 37.5 full"}, out, err),
              0)
        << err.str();
    EXPECT_NE(out.str().find("37.5 %"), std::string::npos);
    EXPECT_EQ(out.str().find("75 %"), std::string::npos);
    EXPECT_NE(out.str().find("Dead centres (driver angle): front 0.00 deg, back 180.00 deg"), std::string::npos);
    std::ostringstream none;
    EXPECT_EQ(runBatchCommand({"--events", TEVRANE_DATA_DIR "/default.dtv", "--notches", "75, 5x"}, none, err), 2);
    EXPECT_EQ(runBatchCommand({"--events", TEVRANE_DATA_DIR "/default.dtv", "--notches"}, none, err), 2);
    EXPECT_TRUE(none.str().empty());
}

// The report commands take "--notches LIST" and one of "--csv" and "--json"
// alike, and refuse them alike before any design is read.
TEST(CommandLine, ReportCommandsShareTheirNotchAndFormWords) {
    const std::string design = std::string(TEVRANE_DATA_DIR) + "/default.dtv";
    struct Case {
        std::vector<std::string> words;  // the command and its design(s)
        bool takesForms;
    };
    const Case cases[] = {{{"--events", design}, true},
                          {{"--compare", design, design}, true},
                          {{"--performance", design}, true},
                          {{"--check", design}, false}};
    for (const Case& c : cases) {
        const std::string& command = c.words.front();
        auto run = [&](std::vector<std::string> extra, std::string& said) {
            std::vector<std::string> words = c.words;
            words.insert(words.end(), extra.begin(), extra.end());
            std::ostringstream out, err;
            const int status = runBatchCommand(words, out, err);
            said = err.str();
            return status;
        };
        std::string said;
        EXPECT_EQ(run({"--notches"}, said), 2) << command;
        EXPECT_NE(said.find("--notches needs a list of cut-offs"), std::string::npos) << command << ": " << said;
        EXPECT_EQ(run({"--notches", "fast"}, said), 2) << command;
        EXPECT_NE(said.find("--notches needs a list of cut-offs"), std::string::npos) << command;
        // A good list is taken, and the word after it is read as a word.
        EXPECT_NE(run({"--notches", "25,75"}, said), 2) << command << ": " << said;
        if (!c.takesForms) continue;
        EXPECT_EQ(run({"--csv", "--json"}, said), 2) << command;
        EXPECT_NE(said.find(command + " takes one of --csv and --json"), std::string::npos) << command << ": " << said;
        EXPECT_EQ(run({"--json", "--notches", "25,75"}, said), 0) << command << ": " << said;
    }
}
