#pragma once
// Menu captions of file paths: numbered from 0 so the number is the item's
// keyboard accelerator, and shortened to at most `width` visible characters.
#include <QString>

QString shorten_caption(const QString& path, int width, int number);
