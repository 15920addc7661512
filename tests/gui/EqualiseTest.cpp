// The "Equalise" window and `tevrane --equalise`: a tuning run off the
// user-interface thread, "Discard" leaving the model bit for bit, "Apply"
// writing undo records, "Cancel"; the command's words, its failures and the
// tuned design it writes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "app/EqualiseCommand.h"
#include "dialogs/Equalise.h"
#include "files/DimensionFile.h"
#include "main/core/MainController.h"
#include "model/DynVars.h"

using namespace tevrane;

namespace {

struct EqualiseWindow : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    std::unique_ptr<TEqualise> w;

    void SetUp() override {
        initModel(m);
        m.valveRodLength += 0.05f;
        w = std::make_unique<TEqualise>(m, c);
        w->show();
        // Only the valve rod: a short run.
        for (int id : {19, 13}) w->setFree(id, false);
        w->setFree(16, true);
    }

    void tune() {
        w->tuneButton()->click();
        ASSERT_TRUE(w->running());
        EXPECT_FALSE(w->tuneButton()->isEnabled());
        EXPECT_TRUE(w->cancelButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), 60000);
    }

    bool sameEngine(const Engine& e) const { return std::memcmp(static_cast<const Engine*>(&m), &e, sizeof(Engine)) == 0; }
};

TEST_F(EqualiseWindow, DiscardLeavesTheModelBitForBitAndApplyIsUndoneRecordByRecord) {
    const Engine before = m;
    tune();
    ASSERT_TRUE(w->result() && w->result()->improved);
    EXPECT_NE(w->resultText()->toPlainText().indexOf("After:"), -1);
    EXPECT_TRUE(sameEngine(before));  // nothing is written while the result waits
    w->discardButton()->click();
    EXPECT_TRUE(sameEngine(before));
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(w->applyButton()->isEnabled());

    tune();
    ASSERT_TRUE(w->applyButton()->isEnabled());
    const float tuned = w->result()->changes[0].after;
    w->applyButton()->click();
    EXPECT_EQ(m.valveRodLength, tuned);
    EXPECT_LT(m.valveRodLength, before.valveRodLength);
    ASSERT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).id, 16);
    popUndo(m);
    EXPECT_TRUE(sameEngine(before));
}

TEST_F(EqualiseWindow, CancelStopsTheRunAndChangesNothing) {
    const Engine before = m;
    w->tuneButton()->click();
    w->cancelButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!w->running(), 60000);
    ASSERT_TRUE(w->result());
    EXPECT_TRUE(w->result()->cancelled);
    EXPECT_TRUE(sameEngine(before));
}

TEST_F(EqualiseWindow, TheLeastLeadBoxSetsTheGuardAndAGuardNoDesignKeepsOffersNothingToApply) {
    const Engine before = m;
    w->leastLeadEdit()->setText(QStringLiteral("0.5"));
    tune();
    ASSERT_TRUE(w->result());
    EXPECT_FALSE(w->result()->improved);
    EXPECT_FALSE(w->applyButton()->isEnabled());
    const QString text = w->resultText()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("at least 0.50000"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("as asked")));
    EXPECT_TRUE(text.contains(QStringLiteral("nothing changed")));
    EXPECT_TRUE(sameEngine(before));
}

TEST(EqualiseCommand, WordsFailuresAndTheTunedDesign) {
    std::ostringstream out, err;
    EXPECT_EQ(runBatchCommand({"--equalise", "x.dtv"}, out, err), 2);  // no --free
    EXPECT_EQ(runBatchCommand({"--equalise", "x.dtv", "--free", "16,abc"}, out, err), 2);
    EXPECT_EQ(runBatchCommand({"--equalise", "x.dtv", "--free", "16,107"}, out, err), 2);  // moves no event
    EXPECT_EQ(runBatchCommand({"--equalise", "x.dtv", "--free", "1,2,3,4,5,6,7"}, out, err), 2);
    EXPECT_EQ(runBatchCommand({"--equalise", "x.dtv", "--free", "16", "--bogus"}, out, err), 2);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--goals", "front-back,sideways"},
             {"--goals", "leads,front-back", "--weights", "1"},
             {"--weights", "0"},
             {"--range", "-5"},
             {"--range", "five"},
             {"--min-lead", "abc"},
             {"--full-gear", "100"},
             {"--notches", "75,100"},
             {"--free", "16"},  // given twice
         }) {
        std::vector<std::string> words = {"--equalise", "x.dtv", "--free", "16=5.9:6.1"};
        words.insert(words.end(), bad.begin(), bad.end());
        err.str("");
        EXPECT_EQ(runBatchCommand(words, out, err), 2) << bad[0] << " " << bad[1];
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_EQ(runBatchCommand({"--equalise", "x.dtv", "--free", "16=6.1:5.9"}, out, err), 2);
    err.str("");
    EXPECT_EQ(runBatchCommand({"--equalise", "/nonexistent/x.dtv", "--free", "16"}, out, err), 1);
    EXPECT_NE(err.str().find("File not found"), std::string::npos);

    Model d;
    initModel(d);
    d.valveRodLength += 0.05f;
    const auto dir = std::filesystem::temp_directory_path();
    const std::string design = (dir / "tevrane_eq_long_rod.dtv").string();
    const std::string tuned = (dir / "tevrane_eq_tuned.dtv").string();
    {
        const auto bytes = encodeDimensions(d);
        std::ofstream(design, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 1400);
    }
    EXPECT_EQ(runBatchCommand({"--equalise", design, "--free", "16", "--out", "/nonexistent/dir/t.dtv"}, out, err), 1);
    out.str("");
    ASSERT_EQ(runBatchCommand({"--equalise", design, "--free", "16", "--out", tuned}, out, err), 0);
    for (const char* s : {"Before:", "After:", "Valve Rod", "Fwd 75 %"}) EXPECT_NE(out.str().find(s), std::string::npos) << s;
    Model t;
    ASSERT_EQ(loadDesign(tuned, t), "");
    EXPECT_LT(t.valveRodLength, d.valveRodLength);
    EXPECT_EQ(t.valveLeverLower, d.valveLeverLower);

    // A guard no design keeps: it says so, exits with 3 and writes nothing.
    std::filesystem::remove(tuned);
    out.str("");
    EXPECT_EQ(runBatchCommand({"--equalise", design, "--free", "16", "--min-lead", "0.5", "--out", tuned}, out, err),
              kNothingBetter);
    EXPECT_NE(out.str().find("keeps every lead"), std::string::npos) << out.str();
    EXPECT_FALSE(std::filesystem::exists(tuned));

    // The window's other choices from the command line: the goals with
    // their weights, the full-gear target, bounds of the dimension's own
    // and the notches.
    out.str("");
    ASSERT_EQ(runBatchCommand({"--equalise", design, "--free", "16=5.96:6.04", "--goals", "front-back,full-gear",
                               "--weights", "1,0.5", "--full-gear", "70", "--notches", "60,40,full"},
                              out, err),
              0)
        << out.str();
    for (const char* s : {"full-gear cut-off 70.0 % (weight 0.50)", "at the notches 60, 40, full", "Fwd 60 %",
                          "5.9600", "6.0400"})
        EXPECT_NE(out.str().find(s), std::string::npos) << s << "\n" << out.str();
    EXPECT_EQ(out.str().find("Fwd 75 %"), std::string::npos);

    // A result that cannot be printed fails, and then no design is written.
    std::filesystem::remove(tuned);
    std::ostream refused(nullptr);
    err.str("");
    EXPECT_EQ(runBatchCommand({"--equalise", design, "--free", "16", "--out", tuned}, refused, err), 1);
    EXPECT_FALSE(std::filesystem::exists(tuned));
    EXPECT_NE(err.str().find("could not be written"), std::string::npos);

    // A pipe where the tuned design should go is refused, not replaced.
    ASSERT_EQ(::mkfifo(tuned.c_str(), 0600), 0);
    out.str("");
    err.str("");
    EXPECT_EQ(runBatchCommand({"--equalise", design, "--free", "16", "--out", tuned}, out, err), 1);
    EXPECT_TRUE(std::filesystem::is_fifo(tuned));
    EXPECT_NE(err.str().find("Not a regular file"), std::string::npos) << err.str();
    EXPECT_EQ(out.str().find("Written to"), std::string::npos);
    std::filesystem::remove(tuned);

    // A design whose every dimension is not a number has nothing to tune:
    // it says so and writes nothing.
    {
        std::vector<std::uint8_t> bytes(1400);
        const std::uint32_t nan = 0x7FC00000u;
        for (std::size_t i = 0; i < bytes.size(); i += 4) std::memcpy(&bytes[i], &nan, 4);
        std::ofstream(design, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 1400);
    }
    out.str("");
    err.str("");
    EXPECT_EQ(runBatchCommand({"--equalise", design, "--free", "16", "--out", tuned}, out, err), 1);
    EXPECT_NE(err.str().find("No dimension is free"), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(tuned));
    std::filesystem::remove(design);
}

}  // namespace
