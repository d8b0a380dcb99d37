// One skin image: decoded from its PNG, premultiplied, and blended onto the
// canvas at a position. Images are held only for one draw call (or by the
// image cache), never by the windows.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <string_view>

namespace corvaline {

struct SkinImage {
  int width = 0;
  int height = 0;
  int pitch = 0;         // bytes per row
  int bitsPerPixel = 0;  // 32 (blue, green, red, alpha) or 24 (blue, green, red)
  bool hasAlpha = false;
  // Storage: QImage::Format_ARGB32 for 32-bit pixels, Format_BGR888 for 24-bit.
  QImage pixels;
  // A 24-bit picture once more in the canvas's own format, made when it is
  // decoded, so the page backgrounds are copied row by row, not pixel by pixel.
  QImage rgb32;

  bool IsNull() const { return width <= 0 || height <= 0; }
};

// Takes a decoded picture over as it is: 32 bits with the alpha flag when the
// picture has transparency, 24 bits otherwise. No premultiplication here.
SkinImage ToSkinImage(const QImage& decoded);

// Replaces blue, green and red of every 32-bit pixel by floor(c * a / 255);
// alpha stays. 24-bit images are left alone.
void Premultiply(SkinImage& image);

// Puts a premultiplied image on the canvas with its top-left corner at (x, y):
// source-over with per-pixel alpha when the image has alpha, a plain copy
// otherwise. Parts outside the canvas are clipped. 32-bit canvases (RGB32,
// ARGB32, ARGB32_Premultiplied) are blended in place; any other format is
// converted to RGB32 first, which a painter open on it would not survive.
void BlendSkinImage(const SkinImage& image, QImage& canvas, int x, int y);

// Every picture of a skin is far smaller than this; a bigger one is refused
// from its header, before a byte of pixels is allocated.
inline constexpr int kMaxSkinImageSide = 8192;
inline constexpr qint64 kMaxSkinImagePixels = 4096LL * 4096;

// Decodes one file and premultiplies it; false when the file is missing, is
// not an image or is larger than the limits above. `problem`, when given,
// gets the reason in a few words.
bool DecodeSkinImage(const QString& path, SkinImage& out, QString* problem = nullptr);

// Draws one image file on the canvas: 1 when drawn, 0 when there is no canvas
// or the file cannot be decoded (silent; the main window leaves a gap).
int DrawSkinImage(QImage* canvas, const QString& path, int x, int y);

// The same for the sub-dialogs: a failure also tells the user with
// "LoadPng---Load image failed." before returning 0.
int LoadPng(QImage* canvas, const QString& path, int x, int y);

// Convenience for both: the file name of the current skin (e.g. kButtonOverPng).
int DrawSkinFile(QImage* canvas, std::string_view fileName, int x, int y);

// The main window's canvas: the pixels of "/main.png" of the current skin,
// premultiplied and opaque (Format_RGB32). A null image when the file is
// missing: the window then has no canvas and shows no skin.
QImage LoadMainCanvas();
// The same from a given skin folder, with the reason when it fails.
QImage LoadMainCanvasFrom(const QString& skinFolder, QString* problem);

inline constexpr QSize kNoSkinCanvasSize{880, 660};
// The canvas when no skin at all can be loaded: the size of the delivered
// skin, dark, with `explanation` in its middle and plain minimise and close
// buttons where the skin would have them, so the window can still be closed.
QImage NoSkinCanvas(const QString& explanation);

// A sub-dialog's background and canvas, from the current skin. When it cannot
// be loaded the user sees "error" with the dialog's own caption and `loaded`
// is false, so the dialog skips the rest of its set-up. The canvas is then a
// plain dark one of kDialogFallbackSize rather than 0 x 0: a dialog shrunk to
// nothing could never be clicked again, and the key-capture dialogs ignore
// Enter and Escape, so it would block the program for good.
struct DialogBackground {
  QImage canvas;
  bool loaded = false;
};
inline constexpr QSize kDialogFallbackSize{380, 290};
DialogBackground LoadDialogBackground(std::string_view fileName, std::string_view failureCaption);

}  // namespace corvaline
