#pragma once

#include <QString>

// True when text holds a control character or an invisible mark that changes
// the direction of text (U+202E and the like): such text shows on screen as
// something other than what must be typed to find it. The zero-width
// non-joiner of Persian words is an ordinary letter here.
bool HasHiddenControls(const QString &text);

// True when a code holds anything that does not show as itself: besides
// the above, every format character (zero-width spaces, joiners and
// non-joiners, word joiners, soft hyphens) and every space other than the
// plain one (no-break and thin spaces, among others). A code must be typed
// exactly as it is shown to be found again.
bool HasInvisibleInCode(const QString &text);

// The complaints about such text in a subject's code and names.
inline const QString HiddenControlsInCodeText = QStringLiteral(
    "کد آزمودنی نویسه‌ای کنترلی یا نامرئی (مانند نشانه‌های تغییر جهت متن) دارد و پذیرفته نمی‌شود؛ کد را دوباره تایپ کنید.");
inline const QString HiddenControlsInFieldText = QStringLiteral(
    "این خانه نویسه‌ای کنترلی یا نامرئی (مانند نشانه‌های تغییر جهت متن) دارد و پذیرفته نمی‌شود؛ آن را دوباره تایپ کنید.");
inline const QString HiddenControlsInNameText = QStringLiteral(
    "نام آزمودنی نویسه‌ای کنترلی یا نامرئی (مانند نشانه‌های تغییر جهت متن) دارد و پذیرفته نمی‌شود؛ نام را دوباره تایپ کنید.");
