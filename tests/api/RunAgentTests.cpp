// korvorun's agent refuses a configuration it cannot trust without hooking anything: it is
// handed one copied by another process.
#include <korvoskin.h>
#include <gtest/gtest.h>
#include <cwchar>
#include <memory>

TEST(RunAgent, RefusesAConfigurationItCannotTrust)
{
    EXPECT_EQ((DWORD)KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_RunAgent(NULL));
    std::unique_ptr<KORVOSKIN_RUN_CONFIG> pConfig(new KORVOSKIN_RUN_CONFIG());
    wcscpy(pConfig->baseFolder, L"C:\\korvorun\\");
    pConfig->cbSize = sizeof(KORVOSKIN_RUN_CONFIG) - 2;
    EXPECT_EQ((DWORD)KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_RunAgent(pConfig.get())) << "a configuration of another size";
    pConfig->cbSize = sizeof(KORVOSKIN_RUN_CONFIG);
    wmemset(pConfig->first, L'x', KORVOSKIN_RUN_PATH);
    EXPECT_EQ((DWORD)KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_RunAgent(pConfig.get())) << "a path that does not end";
    pConfig->first[0] = 0;
    wmemset(pConfig->baseFolder, L'x', KORVOSKIN_RUN_PATH);
    EXPECT_EQ((DWORD)KORVOSKIN_E_BAD_ARGUMENT, KorvoSkin_RunAgent(pConfig.get())) << "a folder that does not end";
}
