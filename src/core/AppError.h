#pragma once
// A failing step: the description is what the "Application Error" report shows.

#include <QString>

#include <stdexcept>

class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& description)
        : std::runtime_error(description.toStdString())
        , description_(description) {}
    const QString& description() const { return description_; }

private:
    QString description_;
};
