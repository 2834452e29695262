#pragma once
// The application title, the caption of every message box that names none: the product
// title cut back word by word, from the end, until at most 40 characters remain.

#include <QString>

QString ShortenAppTitle(const QString& productTitle);
