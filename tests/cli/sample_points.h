#pragma once

#include "temporary_folder.h"
#include "test_files.h"

#include <string>

// Point files for the command's tests: records of every category, of none and
// too short, among empty lines and Rumbelo markers.

// Pitovan records: 14 characters of point data, the speed digit, the type digit, a tail.
inline std::string pitovan(const char* data, char speed, char type, const char* tail)
{
    return std::string(data) + speed + type + tail;
}

inline const std::string PitovanHeader = "574C0003PITOVAN 2024";
inline const std::string PitRF = pitovan("-0370379+40416", '9', '1', "0500120");
inline const std::string PitRM = pitovan("-0370100+40420", '8', '2', "0900");
inline const std::string PitTC3 = pitovan("-0370200+40430", '7', '3', "");
inline const std::string PitTC4 = pitovan("-0370300+40440", '6', '4', "12");
inline const std::string PitPP = pitovan("-0370400+40450", '5', '5', "AB");
inline const std::string PitZE = pitovan("-0370500+40460", '3', '6', "1");
inline const std::string PitPN = pitovan("-0370600+40470", '9', '7', "0000");
inline const std::string PitNone = pitovan("-0370700+40480", '9', '8', "0000");
inline const std::string PitShort = "-0370800+404909";

inline std::string blanked(const std::string& record)
{
    return record.substr(0, 14) + '0' + record[15];
}

inline const std::string PitovanSource
    = crlf({PitovanHeader, PitRF, PitRM, "", PitTC3, PitTC4, PitPP, PitShort, PitZE, PitNone, PitPN});
inline const std::string PitovanAll = crlf({PitovanHeader, PitRF, PitRM, PitTC3, PitTC4, PitPP, PitZE, PitPN});

// Rumbelo records: 14 characters, the type code in columns 15-16, a tail.
inline std::string rumbelo(const char* data, const char* code, const char* tail)
{
    return std::string(data) + code + tail;
}

inline const std::string RumbeloHeader = "4348 RUMBELO";
inline const std::string RumbeloSecond = "V2 20240101";
inline const std::string Marker = "FFFFFFFFFF0000000000";
inline const std::string RumRF = rumbelo("03703790404160", "06", "120");
inline const std::string RumRM = rumbelo("03701000404200", "07", "90");
inline const std::string RumTC8 = rumbelo("03702000404300", "08", "");
inline const std::string RumTCD = rumbelo("03703000404400", "0D", "5");
inline const std::string RumPP = rumbelo("03704000404500", "09", "50");
inline const std::string RumPN = rumbelo("03705000404600", "0A", "");
inline const std::string RumZE = rumbelo("03706000404700", "0B", "30");
inline const std::string RumLowerD = rumbelo("03707000404800", "0d", "");
inline const std::string RumNone = rumbelo("03708000404900", "0C", "");

inline const std::string RumbeloSource = crlf({RumbeloHeader, RumbeloSecond, Marker, RumRF, RumRM, RumTC8, RumLowerD,
                                               RumTCD, "", RumPP, Marker, RumPN, RumNone, RumZE});
inline const std::string RumbeloAll
    = crlf({RumbeloHeader, RumbeloSecond, Marker, RumRF, RumRM, RumTC8, RumTCD, RumPP, Marker, RumPN, RumZE});

inline const std::string Pm = "puntos.mdb";
inline const std::string Sm = "salida.mdb";
inline const std::string Pt = "puntos.txt";
inline const std::string St = "salida.txt";

inline void pitovanSource(const TemporaryFolder& folder)
{
    folder.write(Pm, PitovanSource);
}
