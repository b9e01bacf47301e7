// What q4k says when a vehicle's identity is carried onto a template without its TETRA options.
#pragma once

#include <string>

// `withoutTetra` names the file that holds no TETRA interface settings.
inline std::string TetraKeptText(const std::string& withoutTetra)
{
    return "TETRA-Optionen der Vorlage bleiben: " + withoutTetra + " enthält keine TETRA-Interface-Einstellungen.";
}
