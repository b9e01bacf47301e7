// Replays every committed fuzz corpus file through its harness, without a fuzzing engine:
// a harness stops the process on a broken contract, so a finding kept in a corpus fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/fuzz_support.h"

namespace
{

class CorpusReplay : public testing::TestWithParam<FuzzHarness>
{
};

std::string Name(const testing::TestParamInfo<FuzzHarness>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(CorpusReplay, EveryCommittedInputKeepsTheContracts)
{
    const auto folder = std::filesystem::path(__FILE__).parent_path() / ".." / "fuzz" / "corpus" / GetParam().name;
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().string());
        GetParam().entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay, testing::ValuesIn(kFuzzHarnesses), Name);
