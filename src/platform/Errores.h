#pragma once
// Run-time error with a number and a description, the shape every procedure's
// error handling (and Utilidades::ManejaError) works with.
#include <QString>
#include <stdexcept>

namespace vexa {

class ErrorVexa : public std::runtime_error {
public:
    ErrorVexa(int numero, QString descripcion)
        : std::runtime_error(descripcion.toStdString()), numero_(numero), descripcion_(std::move(descripcion)) {}
    int numero() const { return numero_; }
    const QString& descripcion() const { return descripcion_; }

private:
    int numero_;
    QString descripcion_;
};

// Number and description of any exception (std ones get number 5 or 0).
inline int numeroDeError(const std::exception& e)
{
    if (auto* v = dynamic_cast<const ErrorVexa*>(&e)) return v->numero();
    if (dynamic_cast<const std::invalid_argument*>(&e) || dynamic_cast<const std::out_of_range*>(&e)) return 5;
    return 0;
}
inline QString descripcionDeError(const std::exception& e)
{
    if (auto* v = dynamic_cast<const ErrorVexa*>(&e)) return v->descripcion();
    return QString::fromStdString(e.what());
}

} // namespace vexa
