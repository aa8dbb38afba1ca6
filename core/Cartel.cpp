#include "core/Cartel.h"

void Cartel::AbreCartel(std::string_view caption, int)
{
    open_ = true;
    caption_ = caption;
    line_.clear();
    progress_.clear();
}

void Cartel::ActualizaCartel(int, std::string_view caption, std::string_view line, std::string_view progress)
{
    caption_ = caption;
    line_ = line;
    progress_ = progress;
}

void Cartel::CierraCartel()
{
    open_ = false;
    caption_.clear();
    line_.clear();
    progress_.clear();
}

Cartel& gCartel()
{
    static Cartel instance;
    return instance;
}
