#pragma once
// A failing step: the description is what the "Application Error" report shows.

#include <QString>

#include <new>
#include <stdexcept>

class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& description)
        : std::runtime_error(description.toStdString())
        , description_(description) {}
    const QString& description() const { return description_; }

    // What a report says of any failure: an AppError's description, "Out of memory", or
    // the text of another exception.
    static QString describe(const std::exception& failure) {
        if (const auto* appError = dynamic_cast<const AppError*>(&failure))
            return appError->description();
        if (dynamic_cast<const std::bad_alloc*>(&failure))
            return QStringLiteral("Out of memory");
        return QString::fromUtf8(failure.what());
    }

private:
    QString description_;
};
