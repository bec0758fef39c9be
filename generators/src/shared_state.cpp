// The process-wide state that the generators and the page handlers share, in declaration order.
// Texts start empty and integers at 0; nothing here is saved between runs.
#include "generators/composers.h"
#include "generators/table_pick.h"

std::string nameResult;                // 1
std::string_view surnameSlot;          // 2
std::string_view femaleCharSlot;       // 3
std::int32_t lastDraw = 0;             // 4
std::string_view compoundSurnameSlot;  // 5
std::string techniqueResult;           // 6
std::string_view raceSlot;             // 7
std::string_view rankSlot;             // 8
std::string_view epithetSlot;          // 9
std::string_view techniqueKindSlot;    // 10
std::string customSurname;             // 11
std::string_view maleCharSlot;         // 12
std::string weaponResult;              // 13
std::string_view weaponKindSlot;       // 14

std::uint32_t seedCounter = 0;
