#include "Radixel/services/OfferData.hpp"

#include "platform/foundation/JSONRecordReader.hpp"

OfferData OfferData::decode(const nlohmann::json& value, const std::string& path) {
    JSONRecordReader reader(value, path);
    OfferData offer;
    offer.buttonTexts = reader.stringDictionary("buttonTexts");
    offer.offerId = reader.string("offerId");
    return offer;
}

nlohmann::json OfferData::encode() const { return {{"buttonTexts", buttonTexts}, {"offerId", offerId}}; }
