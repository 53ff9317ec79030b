// The entry points as the host declares them, compiled for the host's own
// compiler ABI (i686 MSVC) so that the decorated names come from the
// compiler, not from our module definition file. They stay functions taking
// the host's own class ATL::COleDateTime, apart from the pointer types of
// tools/host/stats_exports_host.h: the decorated names are made from these
// C++ declarations, and the self-test breaks this very text.
namespace ATL {
class COleDateTime;
}
using Text = char const*;
using Date = ATL::COleDateTime*;

int AddData0(Text, Text, Date, Date, Date, Date, unsigned int, unsigned int, Text, Text, Text, Text,
             Text, Text, Text, Text, Text, Text, Text, Text, Text, Text, Text, int, int, int, double,
             double, Text, Text, Text, Text, Text);
int RemoveData0(Text, Text, Date, Date, Date, Date, unsigned int, unsigned int, Text, Text, Text,
                Text, Text, Text, Text, Text, Text, Text, Text, Text, Text, Text, Text, int, int, int,
                double, double, Text, Text, Text, Text, Text);
int CheckCallFunc0(Text, unsigned int, unsigned int, Text, Text, Text, Text, Text, Text, Text, Text,
                   Text, Text, Text, int, int, int, double, double, Text, Text, Text, Text, Text,
                   Text, Text, char*, char*);
int StatsIsValidExchg0(Text, Text, Text, Text, int, int, int);
int StatsGetExchgCount0(Text, Text, Text);
int GetNumberOfSets();
Text GetSetName(int);
void SetupSet0();
int ResetStats0(Text, int, Text, Date, Date, Text, Text, Text, Text, Text, Text, Text, Text, Text,
                Text, int, int, int, double, double, Text, Text, Text);
Text GetResult0(int*);
Text RunCommand0(int, Text);

// Referencing every function makes the compiler emit each decorated name.
extern void* const kReferenced[];
void* const kReferenced[] = {
    (void*)&AddData0,       (void*)&RemoveData0, (void*)&CheckCallFunc0, (void*)&StatsIsValidExchg0,
    (void*)&StatsGetExchgCount0, (void*)&GetNumberOfSets, (void*)&GetSetName, (void*)&SetupSet0,
    (void*)&ResetStats0,    (void*)&GetResult0,  (void*)&RunCommand0,
};
