#include "gbk_name.h"

#include <iconv.h>

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

std::optional<std::string> utf8ToGbk(const std::string& utf8)
{
    Converter converter("GBK", "UTF-8");
    if (!converter.valid())
        return std::nullopt;
    std::string in = utf8;
    std::string out(in.size(), '\0'); // no character takes more bytes in GBK than in UTF-8
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    if (iconv(converter.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
