// Fuzzes the identification: whatever the line answers to the query, and the labelling of any text.
#include <string>

#include "app/identification_text.h"
#include "link/device_commands.h"
#include "link/identification.h"
#include "link/link_io.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/unit/fake_device.h"

namespace
{

std::size_t CountCr(const std::u16string& text)
{
    std::size_t count = 0;
    for (char16_t ch : text)
        count += ch == u'\r';
    return count;
}

void CheckDisplay(const std::u16string& reply)
{
    const Identification ident = EvaluateReply(reply);
    const std::u16string text = IdentificationDisplayText(ident);
    const bool named = reply.find(u"Quendal 4") != std::u16string::npos;
    FUZZ_CHECK((ident.outcome == IdentOutcome::NoDevice) == !named);
    if (!named) {
        FUZZ_CHECK(text == kNoDeviceText);
        return;
    }
    FUZZ_CHECK(text.rfind(u"Software: Quendal 4", 0) == 0);
    FUZZ_CHECK((ident.outcome == IdentOutcome::Identified) == (CountCr(text) >= 2));
    FUZZ_CHECK(text.size() <= reply.size() + 40);
    // No line holds a line end.
    for (const std::u16string* line : {&ident.software, &ident.version, &ident.option})
        FUZZ_CHECK(line->find_first_of(u"\r\n") == std::u16string::npos);
}

} // namespace

void FuzzIdentification(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    FakeDevice device;
    device.Queue(in.Bytes(in.Byte() & 31)); // stale bytes for the drain
    const int silences = in.Byte() & 3;
    const std::string answer = in.Bytes(in.Word());
    device.onCommand = [&](const std::string&) { device.QueueAfterSilences(answer, silences); };

    const std::u16string reply = QueryIdentification(device);
    FUZZ_CHECK(device.written == kQueryCommand);
    FUZZ_CHECK(reply.size() <= kSilenceCapBytes);
    // Bytes arrive sign-extended: 0x80 and above become 0xFF80 and above.
    for (char16_t ch : reply)
        FUZZ_CHECK(ch < 0x80 || ch >= 0xFF80);
    CheckDisplay(reply);

    // The labelling of any 16-bit text, not only what a byte line can give.
    std::u16string text;
    for (std::size_t i = 0; i + 1 < answer.size(); i += 2)
        text +=
            static_cast<char16_t>(static_cast<std::uint8_t>(answer[i]) << 8 | static_cast<std::uint8_t>(answer[i + 1]));
    CheckDisplay(text);
}
