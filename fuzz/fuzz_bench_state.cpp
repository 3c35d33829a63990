// The bench's readers of what it stores: detector.json (DetectorRecord),
// bench.json (BenchCatalogue) and the user configuration XML, all of which a
// damaged or hand-edited bench can hold in any shape.
//
// Input: the first byte picks the reader, the rest is the stored text.
//
// Properties: every reader either gives a value or throws BenchError (never
// another exception, never a crash however deep the nesting); a record or a
// catalogue that was read is written back as a text that reads to the same
// text again, every free text (ids, addresses, ports, SSID, host name)
// byte for byte; an XML document that was read nests no deeper than the limit;
// the printable form of any text is UTF-8 without control characters, and
// hexadecimal carries any text unchanged.

#include "bench/device/detector_record.h"
#include "bench/store/bench_catalogue.h"
#include "bench/store/bounded_parse.h"
#include "bench/store/record_json.h"
#include "bench/text/bench_error.h"
#include "bench/text/byte_text.h"
#include "fuzz/fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using velkor::bench::BenchError;
namespace byte_text = velkor::bench::byte_text;

// The free texts of a record or a catalogue, in one list.
std::vector<std::string> TextsOf(const velkor::bench::DetectorRecord& record) {
    const auto& state = record.state;
    return {state.id,   state.address,  state.storedAddress, state.hostAddress,
            state.ssid, state.hostName, record.userConfig,   record.password.value_or("")};
}

std::vector<std::string> TextsOf(const velkor::bench::BenchCatalogue& catalogue) {
    std::vector<std::string> texts;
    for (const auto& entry : catalogue.detectors) {
        texts.insert(texts.end(), {entry.id, entry.folder});
    }
    for (const auto& plug : catalogue.modules) {
        texts.insert(texts.end(), {plug.port, plug.detector});
    }
    return texts;
}

// Reads `text` into `stored` (a record or a catalogue) with `read`, false when
// it is refused; one that was read must be written back (`write`) as a text
// that reads to the same text again, and to the same texts.
template <typename Stored, typename Read, typename Write>
bool ReadsBackTheSame(const std::string& text, Stored& stored, Read read, Write write,
                      const char* difference) {
    try {
        stored = read(text);
    } catch (const BenchError&) {
        return false;
    }
    const std::string written = write(stored);
    const Stored again = read(written);
    FUZZ_REQUIRE(write(again) == written, difference);
    FUZZ_REQUIRE(TextsOf(again) == TextsOf(stored), "a text read back lost a byte");
    return true;
}

void Record(const std::string& text) {
    velkor::bench::DetectorRecord record;
    ReadsBackTheSame(text, record, velkor::bench::record_json::FromJson,
                     velkor::bench::record_json::ToJson, "a record read back differs");
}

void Catalogue(const std::string& text) {
    velkor::bench::BenchCatalogue catalogue;
    if (!ReadsBackTheSame(
            text, catalogue, velkor::bench::BenchCatalogue::FromJson,
            [](const velkor::bench::BenchCatalogue& read) { return read.toJson(); },
            "a catalogue read back differs")) {
        return;
    }
    for (const auto& entry : catalogue.detectors) {
        FUZZ_REQUIRE(!entry.folder.empty() && entry.folder[0] != '.' &&
                         entry.folder.find('/') == std::string::npos &&
                         entry.folder.find('\\') == std::string::npos,
                     "a catalogue folder leaves detectors/");
    }
}

void UserConfig(const std::string& text) {
    try {
        const auto tree = velkor::bench::bounded::ParseXml(text);
        FUZZ_REQUIRE(velkor::bench::bounded::TreeDepth(tree) <= velkor::bench::bounded::MaxXmlDepth,
                     "a document deeper than the limit was read");
    } catch (const BenchError&) {
    }
}

void Texts(const std::string& text) {
    const std::string shown = byte_text::Printable(text);
    FUZZ_REQUIRE(byte_text::IsUtf8(shown), "a printable text is not UTF-8");
    for (const char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        FUZZ_REQUIRE(byte >= 0x20 && byte != 0x7F, "a printable text holds a control character");
    }
    for (std::size_t at = shown.find('\xC2'); at != std::string::npos;
         at = shown.find('\xC2', at + 1)) {
        FUZZ_REQUIRE(at + 1 >= shown.size() || static_cast<unsigned char>(shown[at + 1]) >= 0xA0,
                     "a printable text holds a C1 control character");
    }
    FUZZ_REQUIRE(*byte_text::FromHex(byte_text::ToHex(text)) == text, "hexadecimal lost a byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string text = fuzz::Text(data + 1, size - 1);
    switch (data[0] % 4) {
    case 0:
        Record(text);
        break;
    case 1:
        Catalogue(text);
        break;
    case 2:
        UserConfig(text);
        break;
    default:
        Texts(text);
        break;
    }
    return 0;
}
