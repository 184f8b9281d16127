// The checkpoint file: what it keeps reads back exactly, what does not read as one is unreadable,
// and an unreadable one is set aside beside the others.
#include <gtest/gtest.h>

#include "core/Checkpoint.h"
#include "tests/fakes/FakeFileStore.h"

namespace vt {
namespace {

constexpr char kPath[] = "C:\\Tools\\KeepOrRestore.Ini";

Checkpoint Sample() {
    TakenCard card;
    card.card.CfgInstanceId = "{CA}";
    card.card.PnpInstanceId = "PCI\\VEN_8086";
    card.card.DriverDesc = "\"Quoted\" adapter = fast";
    card.card.ConnectionName = " Local Area Connection ";
    card.written = true;  // device state not known
    TakenKey key{"SYSTEM\\Key",
                 {{"IPAddress", true, true, 7, std::string("10.0.0.2\0\0", 10)},
                  {"DefaultGateway", false, true, 0, ""},
                  {"EnableDHCP", true, false, 4, std::string("\1\0\0\0", 4)}}};
    card.values = {key, {"SYSTEM\\Other", {}}};
    TakenCard second;
    second.card.ConnectionName = "WLAN";
    second.wasEnabled = false;
    return {"Caf\xE9 \"Lab\"", 1800000060, {card, second}};
}

// What a checkpoint comes to on disk: a field lost or changed on the way back writes other bytes.
std::string Written(const Checkpoint& checkpoint) {
    fakes::FakeFileStore files;
    WriteCheckpoint(files, kPath, checkpoint);
    return files.Content(kPath);
}

TEST(CheckpointTest, WhatItKeepsReadsBackExactly) {
    fakes::FakeFileStore files;
    EXPECT_EQ(ReadCheckpoint(files, kPath), std::nullopt);
    WriteCheckpoint(files, kPath, Sample());
    const auto read = ReadCheckpoint(files, kPath);
    ASSERT_TRUE(read);
    EXPECT_EQ(Written(*read), Written(Sample()));
    EXPECT_EQ(read->cards[0].card.ConnectionName, " Local Area Connection ");
    EXPECT_EQ(read->cards[0].values[0].values[0].data, std::string("10.0.0.2\0\0", 10));
    EXPECT_EQ(read->cards[0].wasEnabled, std::nullopt);
    EXPECT_EQ(CheckpointPathFor("C:\\Tools\\LocalSettings.Ini"), kPath);

    files.refuseReplace = true;
    EXPECT_THROW(WriteCheckpoint(files, kPath, {}), Error);
    EXPECT_EQ(files.Content(kPath), Written(Sample()));  // the old one stands
    Checkpoint broken = Sample();
    broken.configuration = "two\r\nlines";
    files.refuseReplace = false;
    EXPECT_THROW(WriteCheckpoint(files, kPath, broken), Error);
    DeleteCheckpoint(files, kPath);
    EXPECT_FALSE(files.Exists(kPath));
}

TEST(CheckpointTest, WhatDoesNotReadAsOneIsUnreadable) {
    fakes::FakeFileStore files;
    WriteCheckpoint(files, kPath, Sample());
    const std::string good = files.Content(kPath);
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"KeepBy=1800000060", "KeepBy=soon"},
             {"Cards=2", "Cards=3"},
             {"Data0=31302E302E302E320000", "Data0=3"},
             {"Data0=31302E302E302E320000", "Data0=ZZ"},
             {"Existed0=1", "Existed0=2"},
             {"Keys=2", "Keys=99999"}}) {
        std::string text = good;
        ASSERT_NE(text.find(from), std::string::npos) << from;
        text.replace(text.find(from), from.size(), to);
        files.Put(kPath, text);
        EXPECT_THROW(ReadCheckpoint(files, kPath), CheckpointUnreadable) << to;
    }
    files.Put(kPath, good);
    files.unreadableReads = 1;
    EXPECT_THROW(ReadCheckpoint(files, kPath), CheckpointUnreadable);
}

TEST(CheckpointTest, AnUnreadableOneIsSetAsideBesideTheOthers) {
    fakes::FakeFileStore files;
    files.Put(kPath, "first");
    EXPECT_EQ(SetCheckpointAside(files, kPath), std::string(kPath) + ".unreadable");
    files.Put(kPath, "second");
    EXPECT_EQ(SetCheckpointAside(files, kPath), std::string(kPath) + ".unreadable2");
    EXPECT_EQ(files.Content(std::string(kPath) + ".unreadable"), "first");
    EXPECT_FALSE(files.Exists(kPath));
}

}  // namespace
}  // namespace vt
