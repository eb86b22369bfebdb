#include "core/input_names.h"


namespace tavrix {
namespace {

struct KeyRow {
    int code;
    const char* token;
    const char* name;  // the same in both languages unless the code is in kLanguageKeys
};

// Keys whose names are the same in both languages (letters, digits, F-keys and the like).
constexpr KeyRow kCommonKeys[] = {
    {8, "k0e", "backspace"},   {9, "k0f", "tab"},        {13, "k1c", "enter"},
    {16, "k36", "shift"},      {17, "k1d", "control"},   {18, "k38", "alt"},
    {19, "kc5", "pause"},      {20, "k3a", "caps"},      {27, "k01", "escape"},
    {33, "kc9", "page up"},    {34, "kd1", "page down"}, {35, "kcf", "end"},
    {36, "kc7", "home"},       {45, "kd2", "insert"},    {46, "kd3", "delete"},
    {48, "k0b", "0"},          {49, "k02", "1"},         {50, "k03", "2"},
    {51, "k04", "3"},          {52, "k05", "4"},         {53, "k06", "5"},
    {54, "k07", "6"},          {55, "k08", "7"},         {56, "k09", "8"},
    {57, "k0a", "9"},          {65, "k1e", "A"},         {66, "k30", "B"},
    {67, "k2e", "C"},          {68, "k20", "D"},         {69, "k12", "E"},
    {70, "k21", "F"},          {71, "k22", "G"},         {72, "k23", "H"},
    {73, "k17", "I"},          {74, "k24", "J"},         {75, "k25", "K"},
    {76, "k26", "L"},          {77, "k32", "M"},         {78, "k31", "N"},
    {79, "k18", "O"},          {80, "k19", "P"},         {81, "k10", "Q"},
    {82, "k13", "R"},          {83, "k1f", "S"},         {84, "k14", "T"},
    {85, "k16", "U"},          {86, "k2f", "V"},         {87, "k11", "W"},
    {88, "k2d", "X"},          {89, "k15", "Y"},         {90, "k2c", "Z"},
    {96, "k52", "numpad 0"},   {97, "k4f", "numpad 1"},  {98, "k50", "numpad 2"},
    {99, "k51", "numpad 3"},   {100, "k4b", "numpad 4"}, {101, "k4c", "numpad 5"},
    {102, "k4d", "numpad 6"},  {103, "k47", "numpad 7"}, {104, "k48", "numpad 8"},
    {105, "k49", "numpad 9"},  {106, "k37", "numpad *"}, {107, "k4e", "numpad +"},
    {109, "k4a", "numpad -"},  {110, "k53", "numpad ."}, {111, "kb5", "numpad /"},
    {112, "k3b", "F1"},        {113, "k3c", "F2"},       {114, "k3d", "F3"},
    {115, "k3e", "F4"},        {116, "k3f", "F5"},       {117, "k40", "F6"},
    {118, "k41", "F7"},        {119, "k42", "F8"},       {120, "k43", "F9"},
    {121, "k44", "F10"},       {122, "k57", "F11"},      {123, "k58", "F12"},
    {144, "k45", "num lock"},  {145, "k46", "scroll lock"}, {183, "ka1", "calculator"},
    {191, "k35", "slash"},     {192, "k29", "~"},        {219, "k1a", "["},
    {220, "k2b", "backslash"}, {221, "k1b", "]"},
};

struct LanguageKeyRow {
    int code;
    const char* token;
    const char* english;
    const char* korean;
};

// Keys whose names depend on the interface language.
constexpr LanguageKeyRow kLanguageKeys[] = {
    {32, "k39", "space", "스페이스"},
    {37, "kcb", "left", "왼쪽"},
    {38, "kc8", "up", "위쪽"},
    {39, "kcd", "right", "오른쪽"},
    {40, "kd0", "down", "아래쪽"},
    {186, "k27", "colon", "콜론"},
    {187, "k0d", "equal", "등호"},
    {188, "k33", "comma", "쉼표"},
    {189, "k0c", "minus", "마이너스"},
    {190, "k34", "period", "마침표"},
    {222, "k28", "apostrophe", "홑따옴표"},
};

struct DirectionWords {
    const char* up;
    const char* down;
    const char* left;
    const char* right;
    const char* button;
};
constexpr DirectionWords kEnglishJoystickWords{"up", "down", "left", "right", "button"};
constexpr DirectionWords kKoreanJoystickWords{"위", "아래", "왼쪽", "오른쪽", "버튼"};

const std::string kEmpty;

bool inRange(int code) { return code >= kFirstInputCode && code <= kLastInputCode; }

}  // namespace

std::string cutUtf8(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    size_t end = maxBytes;
    // Step back over continuation bytes so the cut falls before the start of a character.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return std::string(text.substr(0, end));
}

void InputNameTable::set(int code, std::string_view token, std::string_view name) {
    rows_[code].token = std::string(token);
    setName(code, name);
}

void InputNameTable::setName(int code, std::string_view name) {
    rows_[code].name = cutUtf8(name, kMaxInputNameBytes);
}

void InputNameTable::build(bool english) {
    rows_ = {};
    for (const KeyRow& row : kCommonKeys) set(row.code, row.token, row.name);
    for (const LanguageKeyRow& row : kLanguageKeys)
        set(row.code, row.token, english ? row.english : row.korean);

    const DirectionWords& words = english ? kEnglishJoystickWords : kKoreanJoystickWords;
    for (int joystick = 1; joystick <= 2; ++joystick) {
        const int offset = (joystick - 1) * kSecondJoystickOffset;
        const std::string tokenPrefix = "j" + std::to_string(joystick);
        const std::string namePrefix = "joy" + std::to_string(joystick) + " ";
        set(kJoystickUpCode + offset, tokenPrefix + "up", namePrefix + words.up);
        set(kJoystickDownCode + offset, tokenPrefix + "down", namePrefix + words.down);
        set(kJoystickLeftCode + offset, tokenPrefix + "left", namePrefix + words.left);
        set(kJoystickRightCode + offset, tokenPrefix + "right", namePrefix + words.right);
        for (int button = 1; button <= kJoystickButtonCount; ++button) {
            const std::string number = std::to_string(button);
            set(kJoystickButton1Code + button - 1 + offset, tokenPrefix + "b" + number,
                namePrefix + words.button + " " + number);
        }
    }
}

const std::string& InputNameTable::token(int code) const {
    return inRange(code) ? rows_[code].token : kEmpty;
}

const std::string& InputNameTable::name(int code) const {
    return inRange(code) ? rows_[code].name : kEmpty;
}

std::optional<int> InputNameTable::codeOfToken(std::string_view token) const {
    for (int code = kFirstInputCode; code <= kLastInputCode; ++code)
        if (rows_[code].token == token) return code;
    return std::nullopt;
}

std::optional<int> InputNameTable::codeOfName(std::string_view name) const {
    for (int code = kFirstInputCode; code <= kLastInputCode; ++code)
        if (rows_[code].name == name) return code;
    return std::nullopt;
}

std::optional<std::string> InputNameTable::nameOfToken(std::string_view token) const {
    if (auto code = codeOfToken(token)) return rows_[*code].name;
    return std::nullopt;
}

std::optional<std::string> InputNameTable::tokenOfName(std::string_view name) const {
    if (auto code = codeOfName(name)) return rows_[*code].token;
    return std::nullopt;
}

}  // namespace tavrix
