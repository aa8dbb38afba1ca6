#pragma once
// The ERP library's notice window shown while stock is posted. The program never asks for it to be shown,
// so it keeps its texts for whoever displays them; closing it when it is not open does nothing.

#include <string>
#include <string_view>

class Cartel {
public:
    void AbreCartel(std::string_view caption, int style = 0);
    void ActualizaCartel(int style, std::string_view caption, std::string_view line = {}, std::string_view progress = {});
    void CierraCartel();

    bool abierto() const { return open_; }
    const std::string& titulo() const { return caption_; }
    const std::string& linea() const { return line_; }
    const std::string& progreso() const { return progress_; }

private:
    bool open_ = false;
    std::string caption_, line_, progress_;
};

Cartel& gCartel();
