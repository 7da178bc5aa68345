// The layout files of the skinned windows (Main.ini, Wizard.ini) over any bytes.

#include "FuzzInput.h"
#include "platform/Errors.h"
#include "platform/TextLines.h"
#include "themes/SkinLayout.h"

#include <array>

namespace {

template <typename Line> void ReadLayout(const QByteArray& bytes) {
    std::array<int, static_cast<size_t>(Line::Count)> values{};
    int applied = 0;
    LineReader reader = LineReader::FromBytes(bytes);
    try {
        ReadSkinLayout(reader, static_cast<int>(Line::Count), [&](int line, int value) {
            FuzzCheck(line == applied, "layout lines come in file order");
            values.at(static_cast<size_t>(line)) = value;
            ++applied;
        });
    } catch (const KrelError&) {
        return;
    }
    FuzzCheck(applied == static_cast<int>(Line::Count), "a whole layout sets every value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    ReadLayout<MainLine>(bytes);
    ReadLayout<WizardLine>(bytes);
    return 0;
}
