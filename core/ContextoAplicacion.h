#pragma once
// Where the ERP library learns the program's folder, once at start-up.

#include <filesystem>

class ContextoAplicacion {
public:
    void AsignaCarpetaAplicacion(const std::filesystem::path& folder) { folder_ = folder; }
    const std::filesystem::path& carpetaAplicacion() const { return folder_; }

private:
    std::filesystem::path folder_;
};

ContextoAplicacion& gContextoAplicacion();
