#pragma once
// Starting another program of the ERP suite with the current log-in, handed over as a connection parameter
// string in the form start-up reads.

#include <filesystem>
#include <string>
#include <string_view>

// The parameter string for a sibling program, from the program-wide log-in, gUsuarioLogeado and gCaja:
// " ; @server=S; @dbname=D; @usuario=U; @Password=P; @ParametroAdicional=A; tupa@ ; @UsuarioLogeado = L; @Caja=C;"
// It begins with a blank so it can follow a program path on a command line.
std::string ArmaParametrosConexion(std::string_view ParametroAdicional);

// The program an option names: the option from its seventh character on ("shell:RA_ROZori.exe"). A name
// with a folder separator is a path (Windows paths mapped to this machine); a bare name lies in the program
// folder. Names are found without regard to case, and a name ending in ".exe" that is not there is looked
// for without it, as the suite's programs are installed here.
std::filesystem::path ProgramaDeOpcion(std::string_view Opcion);

// Starts the option's program with the parameter string; `Resultado` receives its process id, 0 when
// nothing was started, and then the operator is told "Opcion no Implementada!". Failures go to the error
// treatment under "MenuExes".
void EjecutaOpcionMenu(std::string_view Opcion, std::string_view ParametroAdicional, long& Resultado);
