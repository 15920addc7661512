// `tevrane --compare`: the default design against itself with a longer valve
// rod lists exactly that dimension, and its event differences are the
// differences of the two designs' own events at the notches `--events`
// gives for each; its JSON has the documented shape; bad words and
// unreadable files fail.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>
#include <tuple>

#include "app/CommandLine.h"
#include "files/DimensionFile.h"
#include "model/NotchFinder.h"
#include "model/ValveEvents.h"

using namespace tevrane;

namespace {

QJsonObject runJson(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    EXPECT_EQ(runBatchCommand(words, out, err), 0) << err.str();
    EXPECT_TRUE(err.str().empty()) << err.str();
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &e);
    EXPECT_EQ(e.error, QJsonParseError::NoError) << e.errorString().toStdString();
    return doc.object();
}

// The default design with its valve rod 0.05 longer, written beside the temp files.
struct LongerRod {
    std::string path = (std::filesystem::temp_directory_path() / "tevrane_longer_rod.dtv").string();
    Model a, b;
    LongerRod() {
        EXPECT_EQ(loadDesign(TEVRANE_DATA_DIR "/default.dtv", a), "");
        b = a;
        b.valveRodLength += 0.05f;
        const auto bytes = encodeDimensions(b);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        EXPECT_EQ(loadDesign(path, b), "");
    }
    ~LongerRod() { std::filesystem::remove(path); }
};

// A number of the JSON against one worked out here; nine significant digits
// are written.
void expectNear(const QJsonValue& v, double expected, const std::string& what) {
    ASSERT_TRUE(v.isDouble()) << what;
    EXPECT_NEAR(v.toDouble(), expected, 1e-7 * std::max(1.0, std::fabs(expected))) << what;
}

// The mean-of-ends notch setting `--events --json` gives for a target and
// sense; empty where the target is out of reach.
std::optional<float> eventsNotch(const QJsonObject& events, const char* sense, size_t row) {
    const QJsonValue mean =
        events["notches"].toObject()[sense].toObject()["rows"].toArray()[static_cast<int>(row)].toObject()["mean"];
    if (mean.isNull()) return std::nullopt;
    return static_cast<float>(mean.toObject()["revArm"].toDouble());
}

}  // namespace

TEST(CompareCommand, ALongerValveRodIsTheOneDifferenceAndItsEventsAreTheEventsDifferences) {
    LongerRod rod;
    const QJsonObject c = runJson({"--compare", TEVRANE_DATA_DIR "/default.dtv", rod.path, "--json"});
    EXPECT_EQ(c["unit"].toString(), "in");

    const QJsonArray dims = c["dimensions"].toArray();
    ASSERT_EQ(dims.size(), 1);
    const QJsonObject d = dims[0].toObject();
    EXPECT_EQ(d["id"].toInt(), 16);
    EXPECT_EQ(d["name"].toString(), "Valve Rod Length");
    expectNear(d["a"], rod.a.valveRodLength, "a");
    expectNear(d["b"], rod.b.valveRodLength, "b");
    expectNear(d["difference"], double(rod.b.valveRodLength) - rod.a.valveRodLength, "difference");
    EXPECT_NEAR(d["difference"].toDouble(), 0.05, 1e-6);

    const QJsonObject eventsA = runJson({"--events", TEVRANE_DATA_DIR "/default.dtv", "--json"});
    const QJsonObject eventsB = runJson({"--events", rod.path, "--json"});
    const std::vector<NotchTarget> targets = defaultNotchTargets();
    const QJsonArray notches = c["notches"].toArray();
    ASSERT_EQ(notches.size(), static_cast<int>(targets.size() * 2));
    bool cutOffMoved = false;
    for (int i = 0; i < notches.size(); ++i) {
        const QJsonObject n = notches[i].toObject();
        const size_t t = static_cast<size_t>(i / 2);
        const char* senseName = i % 2 == 0 ? "forward" : "reverse";
        const Sense sense = i % 2 == 0 ? Sense::Forward : Sense::Reverse;
        EXPECT_EQ(n["sense"].toString(), senseName);
        if (targets[t].fullGear) EXPECT_EQ(n["target"].toString(), "full gear");
        else EXPECT_EQ(n["target"].toDouble(), targets[t].cutOff);
        const std::string at = std::to_string(i) + " " + senseName;

        // Each design at the notch its own `--events` names, and the events there.
        const std::optional<float> notchA = eventsNotch(eventsA, senseName, t);
        const std::optional<float> notchB = eventsNotch(eventsB, senseName, t);
        EXPECT_EQ(n["a"].isNull(), !notchA) << at;
        EXPECT_EQ(n["b"].isNull(), !notchB) << at;
        if (!notchA || !notchB) {
            // Out of one design's reach: no difference to give.
            EXPECT_TRUE(n["difference"].isNull()) << at;
            continue;
        }
        const float settingA = *notchA, settingB = *notchB;
        expectNear(n["a"].toObject()["revArm"], settingA, at + " a setting");
        expectNear(n["b"].toObject()["revArm"], settingB, at + " b setting");
        const ValveEvents ea = valveEvents(rod.a, settingA, sense);
        const ValveEvents eb = valveEvents(rod.b, settingB, sense);

        const QJsonObject diff = n["difference"].toObject();
        expectNear(diff["revArm"], (double(settingB) - rod.b.revArmCentre()) - (double(settingA) - rod.a.revArmCentre()),
                   at + " setting");
        expectNear(diff["valveTravel"], eb.valveTravel - ea.valveTravel, at + " valve travel");
        expectNear(diff["die"].toObject()["travel"], eb.die.travel() - ea.die.travel(), at + " die travel");
        for (const auto& [end, a, b] : {std::tuple{"front", &ea.front, &eb.front}, std::tuple{"back", &ea.back, &eb.back}}) {
            const QJsonObject e = diff[end].toObject();
            const std::string where = at + " " + end;
            expectNear(e["lead"], b->lead - a->lead, where + " lead");
            expectNear(e["maxSteamOpening"], b->maxSteamOpening - a->maxSteamOpening, where + " opening");
            expectNear(e["overTravel"], b->overTravel - a->overTravel, where + " over-travel");
            for (const auto& [key, member] :
                 {std::pair{"admission", &EndEvents::admission}, std::pair{"cutOff", &EndEvents::cutOff},
                  std::pair{"release", &EndEvents::release}, std::pair{"compression", &EndEvents::compression}}) {
                const auto& pa = a->*member;
                const auto& pb = b->*member;
                if (!pa || !pb) {
                    EXPECT_TRUE(e[key].isNull()) << where << " " << key;
                    continue;
                }
                const QJsonObject p = e[key].toObject();
                expectNear(p["strokePercent"], pb->strokePercent - pa->strokePercent, where + " " + key);
                double angle = std::fmod(pb->driverAngle - pa->driverAngle, 360.0);
                if (angle > 180) angle -= 360;
                if (angle <= -180) angle += 360;
                expectNear(p["driverAngle"], angle, where + " " + key + " angle");
                if (std::string(key) == "cutOff" && std::fabs(pb->strokePercent - pa->strokePercent) > 1e-3)
                    cutOffMoved = true;
            }
        }
    }
    // A longer valve rod moves the cut-offs: the test compares real differences.
    EXPECT_TRUE(cutOffMoved);
}

TEST(CompareCommand, TheJsonHasItsShapeAndTheOtherFormsNameTheUnit) {
    const QJsonObject c = runJson({"--compare", TEVRANE_DATA_DIR "/default.dtv", TEVRANE_DATA_DIR "/long-travel.dtv",
                                   "--json", "--notches", "50,full"});
    ASSERT_TRUE(c["dimensions"].isArray());
    ASSERT_FALSE(c["dimensions"].toArray().isEmpty());
    for (const QJsonValue& v : c["dimensions"].toArray()) {
        const QJsonObject d = v.toObject();
        EXPECT_EQ(d.keys(), (QStringList{"a", "b", "difference", "id", "name"}));
        EXPECT_NEAR(d["difference"].toDouble(), d["b"].toDouble() - d["a"].toDouble(), 1e-6);
    }
    const QJsonArray notches = c["notches"].toArray();
    ASSERT_EQ(notches.size(), 4);
    for (const QJsonValue& v : notches) {
        const QJsonObject n = v.toObject();
        EXPECT_EQ(n.keys(), (QStringList{"a", "b", "difference", "sense", "target"}));
        for (const char* side : {"a", "b"}) {
            const QJsonObject s = n[side].toObject();
            // The event fields as `--events` names them.
            for (const char* key : {"revArm", "valveTravel", "die", "front", "back"}) EXPECT_TRUE(s.contains(key)) << key;
            for (const char* key : {"lead", "maxSteamOpening", "overTravel", "admission", "cutOff", "release", "compression"})
                EXPECT_TRUE(s["front"].toObject().contains(key)) << key;
            EXPECT_TRUE(s["front"].toObject()["cutOff"].toObject().contains("strokePercent"));
        }
        EXPECT_TRUE(n["difference"].toObject()["back"].toObject()["cutOff"].toObject().contains("driverAngle"));
    }

    std::ostringstream text, csv, err;
    ASSERT_EQ(runBatchCommand({"--compare", TEVRANE_DATA_DIR "/default.dtv", TEVRANE_DATA_DIR "/short-lap.dtv"}, text,
                              err), 0);
    EXPECT_NE(text.str().find("Lengths in inches (in)"), std::string::npos);
    EXPECT_NE(text.str().find("Dimensions that differ"), std::string::npos);
    ASSERT_EQ(runBatchCommand({"--compare", TEVRANE_DATA_DIR "/default.dtv", TEVRANE_DATA_DIR "/short-lap.dtv", "--csv"},
                              csv, err), 0);
    EXPECT_EQ(csv.str().rfind("id,name,a,b,difference,unit\n", 0), 0u);
}

TEST(CompareCommand, RefusesBadWordsAndUnreadableFiles) {
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--compare"}, {"--compare", "a.dtv"}, {"--compare", "a.dtv", "b.dtv", "c.dtv"},
          {"--compare", "a.dtv", "b.dtv", "--csv", "--json"}, {"--compare", "a.dtv", "b.dtv", "--xml"},
          {"--compare", "a.dtv", "b.dtv", "--notches"}}) {
        std::ostringstream o, e;
        EXPECT_EQ(runBatchCommand(bad, o, e), 2) << bad.size();
        EXPECT_FALSE(e.str().empty());
        EXPECT_TRUE(o.str().empty());
    }
    std::ostringstream o, e;
    EXPECT_EQ(runBatchCommand({"--compare", TEVRANE_DATA_DIR "/default.dtv", "/nonexistent/b.dtv"}, o, e), 1);
    EXPECT_NE(e.str().find("File not found"), std::string::npos);
    EXPECT_TRUE(o.str().empty());
}
