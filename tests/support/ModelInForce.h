#pragma once

#include "link/EcrSettings.h"

namespace tillora::test {

// Puts a model in force for as long as it lives: the tax-group cells take the letters of the
// model in force when their text is set.
class ModelInForce {
public:
    explicit ModelInForce(int model) : m_saved(ConnectionSettings()) {
        ConnectionSettings().EcrType = model;
    }
    ~ModelInForce() { ConnectionSettings() = m_saved; }
    ModelInForce(const ModelInForce&) = delete;
    ModelInForce& operator=(const ModelInForce&) = delete;

private:
    EcrSettings m_saved;
};

} // namespace tillora::test
