#include "Radixel/services/KeTuAdData.hpp"

#include "platform/foundation/JSONRecordReader.hpp"

KeTuAdData KeTuAdData::decode(const nlohmann::json& value, const std::string& path) {
    JSONRecordReader reader(value, path);
    KeTuAdData ad;
    ad.imageName = reader.string("imageName");
    ad.linkingString = reader.string("linkingString");
    ad.discountNumber = reader.string("discountNumber");
    return ad;
}

nlohmann::json KeTuAdData::encode() const {
    return {{"imageName", imageName}, {"linkingString", linkingString}, {"discountNumber", discountNumber}};
}
