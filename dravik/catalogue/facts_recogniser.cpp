#include "dravik/catalogue/facts_recogniser.h"

#include "dravik/media/facts_store.h"
#include "dravik/media/volume_probe.h"

namespace dravik::catalogue {

std::optional<services::MediumIdentity>
FactsRecogniser::identify(const std::filesystem::path& root) const {
    const media::VolumeFacts volume = media::VolumeProbe::ofRoot(root);
    if (volume.identity != media::Identity::Probed)
        return std::nullopt;
    return services::MediumIdentity{
        QString::fromStdString(volume.label), QString::fromStdString(volume.uuid),
        QString::fromStdString(volume.type), static_cast<qint64>(volume.capacity)};
}

std::optional<services::CataloguedDisc>
FactsRecogniser::find(const services::MediumIdentity& medium,
                      const std::filesystem::path& dataFolder) const {
    media::FactsStore store(dataFolder);
    // Looking never makes a database: a catalogue without facts knows no medium.
    if (!store.exists())
        return std::nullopt;
    QStringList discs;
    if (!medium.uuid.isEmpty())
        discs = store.discsWithUuid(medium.uuid.toStdString());
    else if (!medium.label.isEmpty())
        discs = store.discsWithLabel(medium.label.toStdString(),
                                     static_cast<std::uint64_t>(medium.capacity));
    if (discs.isEmpty())
        return std::nullopt;
    const auto current = store.current(discs.front());
    if (!current)
        return std::nullopt;
    // "2026-03-01T14:05:09Z": the day is the first ten characters.
    const QDate day = QDate::fromString(
        QString::fromStdString(current->facts.cataloguedAt.substr(0, 10)), Qt::ISODate);
    return services::CataloguedDisc{current->disc, day};
}

} // namespace dravik::catalogue
