#pragma once

#include "dravik/services/medium_recogniser.h"

namespace dravik::catalogue {

// Tells a medium by what its file system says of itself (libblkid) and finds it among the facts
// kept of each cataloguing: by its UUID, or, for a file system without one, by its label together
// with its capacity. A plain folder or a device that cannot be read is no medium to recognise.
class FactsRecogniser : public services::MediumRecogniser {
public:
    std::optional<services::MediumIdentity>
    identify(const std::filesystem::path& root) const override;
    std::optional<services::CataloguedDisc>
    find(const services::MediumIdentity& medium,
         const std::filesystem::path& dataFolder) const override;
};

} // namespace dravik::catalogue
