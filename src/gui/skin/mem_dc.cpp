#include "gui/skin/mem_dc.h"

#include <QPaintDevice>

namespace corvaline {

CMemDC::CMemDC(QPainter* target, const QRect& rect, QImage* selected) : target_(target), rect_(rect) {
  if (target_ == nullptr || target_->device() == nullptr) return;
  if (target_->device()->devType() == QInternal::Printer) return;  // straight to paper
  memory_ = true;
  if (rect_.isEmpty()) {
    rect_ = target_->hasClipping() ? target_->clipBoundingRect().toAlignedRect()
                                   : QRect(0, 0, target_->device()->width(), target_->device()->height());
  }
  if (selected != nullptr && !selected->isNull()) {
    // The canvas covers the whole window: its coordinates are the target's.
    surface_ = selected;
    painter_.emplace(surface_);
  } else {
    buffer_ = QImage(rect_.size(), QImage::Format_RGB32);
    buffer_.fill(Qt::black);
    surface_ = &buffer_;
    painter_.emplace(surface_);
    painter_->translate(-rect_.topLeft());
  }
}

CMemDC::~CMemDC() {
  if (!memory_) return;
  painter_.reset();  // finish drawing before the copy
  if (surface_ == &buffer_) {
    target_->drawImage(rect_.topLeft(), buffer_);
  } else {
    target_->drawImage(rect_.topLeft(), *surface_, rect_);
  }
}

QPainter* CMemDC::Painter() {
  if (memory_) return &*painter_;
  return target_;
}

QImage* CMemDC::Surface() { return memory_ ? surface_ : nullptr; }

}  // namespace corvaline
