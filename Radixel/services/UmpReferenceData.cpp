#include "Radixel/services/UmpReferenceData.hpp"

#include "platform/foundation/JSONRecordReader.hpp"

UmpReferenceData UmpReferenceData::decode(const nlohmann::json& value, const std::string& path) {
    JSONRecordReader reader(value, path);
    UmpReferenceData data;
    data.isConsentOrPayActivated = reader.optionalBoolean("isConsentOrPayActivated");
    data.purposeConsents = reader.string("purposeConsents");
    data.purposeLegitimateInterests = reader.string("purposeLegitimateInterests");
    data.vendorConsents = reader.string("vendorConsents");
    data.vendorLegitimateInterests = reader.string("vendorLegitimateInterests");
    return data;
}

nlohmann::json UmpReferenceData::encode() const {
    nlohmann::json value = nlohmann::json::object();
    if (isConsentOrPayActivated) value["isConsentOrPayActivated"] = *isConsentOrPayActivated;
    value["purposeConsents"] = purposeConsents;
    value["purposeLegitimateInterests"] = purposeLegitimateInterests;
    value["vendorConsents"] = vendorConsents;
    value["vendorLegitimateInterests"] = vendorLegitimateInterests;
    return value;
}
