#include "common/Address.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

const char* const StateNames[] = {
    "ALABAMA", "ALASKA", "ARIZONA", "ARKANSAS", "CALIFORNIA", "COLORADO", "CONNECTICUT", "DELAWARE",
    "DISTRICT OF COLUMBIA", "FLORIDA", "GEORGIA", "HAWAII", "IDAHO", "ILLINOIS", "INDIANA", "IOWA", "KANSAS",
    "KENTUCKY", "LOUISIANA", "MAINE", "MARYLAND", "MASSACHUSETTS", "MICHIGAN", "MINNESOTA", "MISSISSIPPI",
    "MISSOURI", "MONTANA", "NEBRASKA", "NEVADA", "NEW HAMPSHIRE", "NEW JERSEY", "NEW MEXICO", "NEW YORK",
    "NORTH CAROLINA", "NORTH DAKOTA", "OHIO", "OKLAHOMA", "OREGON", "PENNYSLVANIA", "RHODE ISLAND",
    "SOUTH CAROLINA", "SOUTH DAKOTA", "TENNESSEE", "TEXAS", "UTAH", "VERMONT", "VIRGINIA", "WASHINGTON",
    "WEST VIRGINIA", "WISCONSIN", "WYOMING", "AMERICON SAMOA", "PALAU", "PUERTA RICO",
    "U.S. MINOR OUTLYING ISLANDS", "VIRGIN ISLANDS OF THE U.S.", "FEDERATED STATES OF MICRONESIA", "GUAM",
    "MARSHALL ISLANDS", "NORTHERN MARIANA ISLANDS",
    // The correct spellings; the misspelled names above stay as aliases.
    "PENNSYLVANIA", "AMERICAN SAMOA", "PUERTO RICO"};

const char* const StateCodes[] = {
    "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "DC", "FL", "GA", "HI", "ID", "IL", "IN", "IA", "KS",
    "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NV", "NH", "NJ", "NM", "NY", "NC",
    "ND", "OH", "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY",
    "AS", "FM", "GU", "MH", "MP", "PW", "PR", "UM", "VI"};

const int StateNameCount = static_cast<int>(sizeof StateNames / sizeof StateNames[0]);

namespace {

constexpr int kCodeCount = 60;

// The code each name stands for: the first 51 one to one, then the
// territories and the added correct spellings.
const char* CodeOfName(int index) {
  static const char* const kTerritories[] = {"AS", "PW", "PR", "UM", "VI", "FM", "GU", "MH", "MP",
                                             "PA", "AS", "PR"};
  return index < 51 ? StateCodes[index] : kTerritories[index - 51];
}

bool EndsWithWord(const std::string& text, const char* word, std::size_t* at) {
  std::size_t n = std::strlen(word);
  if (text.size() < n + 1) return false;
  std::size_t start = text.size() - n;
  if (text[start - 1] != ' ' || text.compare(start, n, word) != 0) return false;
  *at = start;
  return true;
}

std::string TrimBlanks(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  std::size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

}  // namespace

void SplitCityStateZip(char* line, char* city, size_t citySize, char (&state)[3], char (&zip)[11]) {
  if (city && citySize > 0) city[0] = '\0';
  state[0] = '\0';
  zip[0] = '\0';
  if (!line || !city || citySize == 0) return;

  std::string typed = TrimBlanks(line);
  std::string work = typed;
  for (char& c : work) c = (c == ',') ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

  std::size_t cut = work.size();
  bool found = false;
  std::size_t runStart = work.size();
  while (runStart > 0 && (std::isdigit(static_cast<unsigned char>(work[runStart - 1])) || work[runStart - 1] == '-'))
    --runStart;
  std::size_t runLen = work.size() - runStart;
  bool hasDash = work.find('-', runStart) != std::string::npos;
  if ((runLen >= 5 && runLen <= 9) || (runLen == 10 && hasDash)) {
    std::snprintf(zip, sizeof zip, "%s", typed.substr(runStart).c_str());
    cut = runStart;
    found = true;
  }

  std::string rest = work.substr(0, cut);
  std::size_t restEnd = rest.find_last_not_of(" \t");
  rest.resize(restEnd == std::string::npos ? 0 : restEnd + 1);
  std::size_t at = 0;
  bool haveState = false;
  for (int i = 0; i < kCodeCount && !haveState; ++i) {
    if (EndsWithWord(rest, StateCodes[i], &at)) {
      std::snprintf(state, sizeof state, "%s", StateCodes[i]);
      haveState = true;
    }
  }
  if (!haveState) {
    // The longest name that ends the line wins, so "WEST VIRGINIA" is not
    // taken for "VIRGINIA".
    int best = -1;
    std::size_t bestAt = 0;
    for (int i = 0; i < StateNameCount; ++i) {
      std::size_t where = 0;
      if (EndsWithWord(rest, StateNames[i], &where) && (best < 0 || where < bestAt)) {
        best = i;
        bestAt = where;
      }
    }
    if (best >= 0) {
      std::snprintf(state, sizeof state, "%s", CodeOfName(best));
      at = bestAt;
      haveState = true;
    }
  }
  if (haveState) {
    cut = at;
    found = true;
  }
  if (!found) return;

  std::string cityText = typed.substr(0, cut);
  for (char& c : cityText)
    if (c == ',') c = ' ';
  cityText = TrimBlanks(cityText);
  std::snprintf(city, citySize, "%s", cityText.c_str());
  line[0] = '\0';
}

void FormatCityLine(const char* cityText, const char* stateText, const char* zipText, int width, char* out) {
  if (!out) return;
  out[0] = '\0';
  if (width < 1) return;
  std::string city = cityText ? cityText : "";
  std::string state = stateText ? stateText : "";
  std::string zip = zipText ? zipText : "";
  std::size_t room = static_cast<std::size_t>(width - 1);
  bool both = !city.empty() && !state.empty();
  std::string zipSep = (!zip.empty() && (!city.empty() || !state.empty())) ? " " : "";
  auto compose = [&](const std::string& sep, const std::string& z) {
    return city + (both ? sep : "") + state + zipSep + z;
  };
  std::string zip5 = zip.size() > 5 ? zip.substr(0, 5) : zip;
  std::string text = compose(", ", zip);
  if (text.size() > room && zip.size() > 5) text = compose(", ", zip5);
  if (text.size() > room) text = compose(" ", zip5);
  if (text.size() > room) {
    std::size_t others = state.size() + zipSep.size() + zip5.size() + (both ? 1 : 0);
    if (room >= others + 8) {
      text = city.substr(0, room - others) + (both ? " " : "") + state + zipSep + zip5;
    } else {
      text = city.substr(0, room);
    }
  }
  std::snprintf(out, static_cast<std::size_t>(width), "%s", text.c_str());
}
