#include "gui/skin/image_cache.h"

#include <QFileInfo>

namespace corvaline {

const SkinImage* SkinImageCache::Find(const QString& folder, const QString& name) {
  const QString path = folder + name;
  if (!enabled_) {
    ++decodes_;
    return DecodeSkinImage(path, scratch_) ? &scratch_ : nullptr;
  }
  if (folder != folder_) {
    // Another skin: nothing decoded from the old folder may be shown again.
    entries_.clear();
    folder_ = folder;
  }

  const QFileInfo info(path);
  if (!info.exists()) {
    entries_.remove(name);
    return nullptr;
  }
  const QDateTime modified = info.lastModified();
  const qint64 size = info.size();
  auto it = entries_.find(name);
  if (it != entries_.end() && it->modified == modified && it->size == size) {
    return &it->image;
  }

  Entry entry;
  ++decodes_;
  if (!DecodeSkinImage(path, entry.image)) {
    entries_.remove(name);
    return nullptr;
  }
  entry.modified = modified;
  entry.size = size;
  it = entries_.insert(name, std::move(entry));
  return &it->image;
}

void SkinImageCache::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) Clear();
}

void SkinImageCache::Clear() {
  entries_.clear();
  folder_.clear();
  scratch_ = SkinImage{};
}

SkinImageCache& ImageCache() {
  static SkinImageCache cache;
  return cache;
}

const SkinImage* FindSkinImage(const QString& path) {
  const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  if (cut < 0) return ImageCache().Find(QString(), path);
  return ImageCache().Find(path.left(cut), path.mid(cut));
}

}  // namespace corvaline
