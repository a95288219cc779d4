#pragma once

#include "dravik/services/medium_recogniser.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

namespace dravik::testing {

// Media put in drives and discs in the catalogue by the test itself. The window asks from another
// thread, so every call holds a lock.
class FakeMediumRecogniser : public services::MediumRecogniser {
public:
    void insert(const std::filesystem::path& root, const services::MediumIdentity& medium) {
        const std::lock_guard lock(mutex_);
        media_[key(root)] = medium;
    }
    void eject(const std::filesystem::path& root) {
        const std::lock_guard lock(mutex_);
        media_.erase(key(root));
    }
    // The disc whose medium has this UUID.
    void catalogue(const QString& uuid, const services::CataloguedDisc& disc) {
        const std::lock_guard lock(mutex_);
        discs_[uuid] = disc;
    }
    int identified() const {
        const std::lock_guard lock(mutex_);
        return identified_;
    }

    std::optional<services::MediumIdentity>
    identify(const std::filesystem::path& root) const override {
        const std::lock_guard lock(mutex_);
        ++identified_;
        const auto it = media_.find(key(root));
        return it == media_.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<services::CataloguedDisc>
    find(const services::MediumIdentity& medium,
         const std::filesystem::path& /*dataFolder*/) const override {
        const std::lock_guard lock(mutex_);
        const auto it = discs_.find(medium.uuid);
        return it == discs_.end() ? std::nullopt : std::optional(it->second);
    }

private:
    // "/media/disc" and "/media/disc/" are one drive root.
    static std::filesystem::path key(const std::filesystem::path& root) {
        return (root / "").lexically_normal();
    }

    mutable std::mutex mutex_;
    mutable int identified_ = 0;
    std::map<std::filesystem::path, services::MediumIdentity> media_;
    std::map<QString, services::CataloguedDisc> discs_;
};

} // namespace dravik::testing
