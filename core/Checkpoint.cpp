// The checkpoint file: an INI text of the snapshot, every text quoted and every byte in hex.
#include "core/Checkpoint.h"

#include "base/PathText.h"
#include "core/IniDocument.h"

namespace vt {

namespace {

constexpr char kMain[] = "Checkpoint";

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

std::string Hex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        text += kDigits[c >> 4];
        text += kDigits[c & 0xF];
    }
    return text;
}

class Reader {
  public:
    Reader(const IniDocument& document, const std::string& path)
        : document_(document), path_(path) {}

    std::string Text(const std::string& section, const char* key) const {
        const auto value = document_.ReadValue(section, key);
        if (!value) Fail();
        return *value;
    }
    int64_t Number(const std::string& section, const char* key) const {
        const std::string text = Text(section, key);
        if (text.empty() || text.size() > 18) Fail();
        int64_t number = 0;
        for (size_t i = text[0] == '-' ? 1 : 0; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9') Fail();
            number = number * 10 + (text[i] - '0');
        }
        return text[0] == '-' ? -number : number;
    }
    // A count of entries that a file of this size can hold.
    size_t Count(const std::string& section, const char* key) const {
        const int64_t count = Number(section, key);
        if (count < 0 || count > 4096) Fail();
        return static_cast<size_t>(count);
    }
    bool Flag(const std::string& section, const char* key) const {
        const int64_t value = Number(section, key);
        if (value != 0 && value != 1) Fail();
        return value == 1;
    }
    std::string Bytes(const std::string& section, const char* key) const {
        const std::string text = Text(section, key);
        if (text.size() % 2) Fail();
        std::string bytes;
        for (size_t i = 0; i < text.size(); i += 2)
            bytes += static_cast<char>(Digit(text[i]) * 16 + Digit(text[i + 1]));
        return bytes;
    }
    bool Has(const std::string& section, const char* key) const {
        return document_.ReadValue(section, key).has_value();
    }
    [[noreturn]] void Fail() const { throw CheckpointUnreadable("Unable to read " + path_); }

  private:
    int Digit(char c) const {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        Fail();
    }
    const IniDocument& document_;
    const std::string& path_;
};

std::string CardSection(size_t card) {
    return "Card" + std::to_string(card);
}
std::string KeySection(size_t card, size_t key) {
    return CardSection(card) + ".Key" + std::to_string(key);
}
std::string Indexed(const char* stem, size_t index) {
    return stem + std::to_string(index);
}

}  // namespace

std::string CheckpointPathFor(const std::string& settingsPath) {
    return FolderOf(settingsPath) + kCheckpointFileName;
}

void WriteCheckpoint(FileStore& files, const std::string& path, const Checkpoint& checkpoint) {
    IniDocument document;
    bool storable = true;
    const auto write = [&](const std::string& section, const std::string& key,
                           const std::string& value) {
        storable &= IniDocument::IsStorable(value);
        document.WriteValue(section, key, value);
    };
    write(kMain, "Configuration", Quoted(checkpoint.configuration));
    write(kMain, "KeepBy", std::to_string(checkpoint.keepBy));
    write(kMain, "Cards", std::to_string(checkpoint.cards.size()));
    for (size_t c = 0; c < checkpoint.cards.size(); ++c) {
        const TakenCard& taken = checkpoint.cards[c];
        const std::string card = CardSection(c);
        write(card, "CfgInstanceId", Quoted(taken.card.CfgInstanceId));
        write(card, "PnpInstanceId", Quoted(taken.card.PnpInstanceId));
        write(card, "DriverDesc", Quoted(taken.card.DriverDesc));
        write(card, "ConnectionName", Quoted(taken.card.ConnectionName));
        if (taken.wasEnabled) write(card, "Enabled", *taken.wasEnabled ? "1" : "0");
        write(card, "Written", taken.written ? "1" : "0");
        write(card, "Keys", std::to_string(taken.values.size()));
        for (size_t k = 0; k < taken.values.size(); ++k) {
            const TakenKey& key = taken.values[k];
            const std::string section = KeySection(c, k);
            write(section, "Path", Quoted(key.path));
            write(section, "Values", std::to_string(key.values.size()));
            for (size_t v = 0; v < key.values.size(); ++v) {
                const TakenValue& value = key.values[v];
                write(section, Indexed("Name", v), Quoted(value.name));
                write(section, Indexed("Existed", v), value.existed ? "1" : "0");
                write(section, Indexed("Readable", v), value.readable ? "1" : "0");
                write(section, Indexed("Type", v), std::to_string(value.type));
                write(section, Indexed("Data", v), Hex(value.data));
            }
        }
    }
    if (!storable || !files.Replace(path, document.Serialize()))
        throw Error("Unable to write to " + path);
}

std::optional<Checkpoint> ReadCheckpoint(FileStore& files, const std::string& path) {
    std::string text;
    FileStamp stamp;
    switch (files.Read(path, text, stamp)) {
        case ReadResult::Missing:
            return std::nullopt;
        case ReadResult::Unreadable:
            throw CheckpointUnreadable("Unable to read " + path);
        case ReadResult::Read:
            break;
    }
    const IniDocument document = IniDocument::Parse(text);
    const Reader read(document, path);
    Checkpoint checkpoint;
    checkpoint.configuration = read.Text(kMain, "Configuration");
    checkpoint.keepBy = read.Number(kMain, "KeepBy");
    const size_t cards = read.Count(kMain, "Cards");
    for (size_t c = 0; c < cards; ++c) {
        const std::string card = CardSection(c);
        TakenCard taken;
        taken.card.CfgInstanceId = read.Text(card, "CfgInstanceId");
        taken.card.PnpInstanceId = read.Text(card, "PnpInstanceId");
        taken.card.DriverDesc = read.Text(card, "DriverDesc");
        taken.card.ConnectionName = read.Text(card, "ConnectionName");
        if (read.Has(card, "Enabled")) taken.wasEnabled = read.Flag(card, "Enabled");
        taken.written = read.Flag(card, "Written");
        const size_t keys = read.Count(card, "Keys");
        for (size_t k = 0; k < keys; ++k) {
            const std::string section = KeySection(c, k);
            TakenKey key;
            key.path = read.Text(section, "Path");
            const size_t values = read.Count(section, "Values");
            for (size_t v = 0; v < values; ++v) {
                TakenValue value;
                value.name = read.Text(section, Indexed("Name", v).c_str());
                value.existed = read.Flag(section, Indexed("Existed", v).c_str());
                value.readable = read.Flag(section, Indexed("Readable", v).c_str());
                value.type =
                    static_cast<uint32_t>(read.Number(section, Indexed("Type", v).c_str()));
                value.data = read.Bytes(section, Indexed("Data", v).c_str());
                key.values.push_back(std::move(value));
            }
            taken.values.push_back(std::move(key));
        }
        checkpoint.cards.push_back(std::move(taken));
    }
    return checkpoint;
}

void DeleteCheckpoint(FileStore& files, const std::string& path) {
    if (!files.Remove(path)) throw Error("Unable to write to " + path);
}

std::optional<std::string> SetCheckpointAside(FileStore& files, const std::string& path) {
    for (int n = 1; n <= 99; ++n) {
        const std::string aside = path + ".unreadable" + (n > 1 ? std::to_string(n) : "");
        if (files.Rename(path, aside)) return aside;
        if (!files.Stamp(aside).exists) return std::nullopt;  // refused for another reason
    }
    return std::nullopt;
}

}  // namespace vt
