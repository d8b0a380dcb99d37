#include <QJsonDocument>
#include <QJsonObject>

#include "json_check.h"

namespace corvaline::testing_support {

std::optional<std::string> FormatByIndependentParser(const std::string& json) {
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json));
  return doc.object()["format"].toString().toStdString();
}

}  // namespace corvaline::testing_support
