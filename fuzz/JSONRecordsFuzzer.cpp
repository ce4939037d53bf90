// Remote values and bundled catalogues are read by the strict record reader: any JSON text must
// decode into every record type or fail with JSONDecodingError, nothing else.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Radixel/math/Formula.hpp"
#include "Radixel/math/Symbol.hpp"
#include "Radixel/math/Unit.hpp"
#include "Radixel/services/AppMetaData.hpp"
#include "Radixel/services/KeTuAdData.hpp"
#include "Radixel/services/OfferData.hpp"
#include "Radixel/services/UmpReferenceData.hpp"
#include "platform/foundation/JSONRecordReader.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"

namespace {

template <typename Decode>
void tryDecoding(Decode decode) {
    try {
        decode();
    } catch (const JSONDecodingError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto value = NSJSONSerialization::JSONObjectWithData(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!value) return 0;
    const nlohmann::json& json = *value;
    tryDecoding([&] { AllAppMetaData::decode(json); });
    tryDecoding([&] { AppMetaData::decode(json, "app"); });
    tryDecoding([&] { KeTuAdData::decode(json, "ad"); });
    tryDecoding([&] { OfferData::decode(json, "offer"); });
    tryDecoding([&] { UmpReferenceData::decode(json, "ump"); });
    tryDecoding([&] { decodeRecordListDictionary<KeTuAdData>(json, "ads"); });
    tryDecoding([&] { decodeRecordListDictionary<OfferData>(json, "offers"); });
    tryDecoding([&] { Unit::decode(json, "unit"); });
    tryDecoding([&] { json.get<Symbol>(); });
    tryDecoding([&] { json.get<Formula>(); });
    tryDecoding([&] { JSONRecordReader::requireStringDictionary(json, "texts"); });
    tryDecoding([&] { JSONRecordReader::requireStringArray(json, "links"); });
    return 0;
}
