#include "front/common/settings_place.h"

#include <utility>

namespace seastrip {

SettingsPlace::SettingsPlace(std::string besideFolder, std::string fallbackFolder, std::string fileName,
                             char separator, Files files)
    : beside_(std::move(besideFolder)),
      fallback_(std::move(fallbackFolder)),
      fileName_(std::move(fileName)),
      separator_(separator),
      files_(std::move(files))
{
}

std::string SettingsPlace::Join(const std::string& folder) const
{
    if (folder.empty() || folder.back() == separator_) return folder + fileName_;
    return folder + separator_ + fileName_;
}

bool SettingsPlace::FallbackInUse() const
{
    return !fallback_.empty() && fallback_ != beside_ && files_.exists(Join(fallback_));
}

std::string SettingsPlace::Folder() const { return FallbackInUse() ? fallback_ : beside_; }

bool SettingsPlace::Write(const std::function<bool(const std::string& path)>& write)
{
    if (FallbackInUse()) return write(Join(fallback_));
    if (write(Join(beside_))) return true;
    if (fallback_.empty() || fallback_ == beside_) return false;
    files_.makeFolders(fallback_);
    return write(Join(fallback_));
}

}  // namespace seastrip
