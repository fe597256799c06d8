// Template engine speed: parse a 20-field template, encode it, decode a
// reply with it, and the three together. Goal: parse+encode+decode < 20 us.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/CamEngine.h"

using namespace orv;

namespace {

// 20 fields of the usual kinds, as a real settings template mixes them.
std::u16string TwentyFieldTemplate()
{
    std::string t = "// 20 fields\r\n";
    const char* kinds[] = {
        ";4;w;num=v;0;1234;TW2S", ";4;w;ip=v;0;192.168.0.20;TIP2S", ";32;w;text=v;32;Camera;TC2S",
        ";1;w;bits=v;0;00010011;Tb2S0", ";16;w;b64=v;0;secret;TS2BASE64",
    };
    for (int i = 0; i < 20; ++i)
        t += "Field" + std::to_string(i) + kinds[i % 5] + "\r\n";
    return U16(t);
}

void Parse(CCamEngine& e, const std::u16string& text)
{
    e.ResetFieldTable();
    WCopy(e.m_WorkText, text);
    e.ClearFields();
    e.ParseTemplate(u"\r\n");
}

// The encoded request read back as a reply's status block.
void PlaceAsReply(CCamEngine& e)
{
    e.m_WorkText[4] = static_cast<wchar>(e.m_nPayloadLength & 0xFF);
    e.m_WorkText[5] = static_cast<wchar>(e.m_nPayloadLength >> 8);
}

void BM_ParseTemplate(benchmark::State& state)
{
    auto e = std::make_unique<CCamEngine>();
    const std::u16string text = TwentyFieldTemplate();
    for (auto _ : state) {
        Parse(*e, text);
        benchmark::DoNotOptimize(e->m_nFieldCount);
    }
}
BENCHMARK(BM_ParseTemplate);

void BM_EncodeRequest(benchmark::State& state)
{
    auto e = std::make_unique<CCamEngine>();
    Parse(*e, TwentyFieldTemplate());
    for (auto _ : state) {
        e->EncodeRequest();
        benchmark::DoNotOptimize(e->m_WireBytes[6]);
    }
}
BENCHMARK(BM_EncodeRequest);

void BM_DecodeReply(benchmark::State& state)
{
    auto e = std::make_unique<CCamEngine>();
    Parse(*e, TwentyFieldTemplate());
    e->EncodeRequest();
    PlaceAsReply(*e);
    for (auto _ : state) {
        e->DecodeReply(168);
        benchmark::DoNotOptimize(e->m_Fields[0].Value[0]);
    }
}
BENCHMARK(BM_DecodeReply);

void BM_ParseEncodeDecode(benchmark::State& state)
{
    auto e = std::make_unique<CCamEngine>();
    const std::u16string text = TwentyFieldTemplate();
    for (auto _ : state) {
        Parse(*e, text);
        e->SetVar(u"Field0", u"42");
        e->EncodeRequest();
        PlaceAsReply(*e);
        e->DecodeReply(168);
        benchmark::DoNotOptimize(e->m_Fields[0].Value[0]);
    }
}
BENCHMARK(BM_ParseEncodeDecode);

} // namespace

BENCHMARK_MAIN();
