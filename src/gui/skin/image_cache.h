// Decoded skin images kept between compositions. A page composition would
// otherwise decode every one of its files again each time it runs. An entry is
// good only while the skin folder is the same and its file keeps its
// modification time and size, so a skin switch or a rewritten file shows at
// the very next composition.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

#include "gui/skin/skin_image.h"

namespace corvaline {

class SkinImageCache {
 public:
  // The premultiplied image of folder + name, decoded anew when needed;
  // nullptr when the file is missing or undecodable. The pointer stays valid
  // until the next call.
  const SkinImage* Find(const QString& folder, const QString& name);

  // With the cache off every Find decodes the file again.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }

  void Clear();
  int Size() const { return static_cast<int>(entries_.size()); }
  // How many decodes Find has run; lets tests and benchmarks see the cache work.
  long Decodes() const { return decodes_; }

 private:
  struct Entry {
    SkinImage image;
    QDateTime modified;
    qint64 size = -1;
  };

  bool enabled_ = true;
  QString folder_;
  QHash<QString, Entry> entries_;
  SkinImage scratch_;  // the uncached result
  long decodes_ = 0;
};

// The cache every draw call of the program goes through.
SkinImageCache& ImageCache();

// Splits a full image path into folder and file name at its last separator
// ("/" or "\"), the name keeping the separator, and looks it up.
const SkinImage* FindSkinImage(const QString& path);

}  // namespace corvaline
