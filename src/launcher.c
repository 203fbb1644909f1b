/* Starts the editor. A large document fills hundreds of megabytes of fresh memory page by
 * page; where the kernel gives transparent huge pages only on request, the C library is told
 * to request them for the editor's heap (a setting it reads at start), which makes opening a
 * large file several times faster. This small program sets that and starts the editor, which
 * stands beside it, so the editor's libraries are loaded only once. */
#define _GNU_SOURCE
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int thp_on_request(void)
{
    char mode[128] = "";
    FILE *f = fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
    if (!f)
        return 0;
    if (!fgets(mode, sizeof mode, f))
        mode[0] = 0;
    fclose(f);
    return strstr(mode, "[madvise]") != NULL;
}

int main(int argc, char **argv)
{
    (void)argc;
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 32);
    if (n <= 0) {
        perror("tolvenra: cannot find the program's folder");
        return 127;
    }
    self[n] = 0;
    char *slash = strrchr(self, '/');
    strcpy(slash + 1, "tolvenra-editor");

    const char *tunables = getenv("GLIBC_TUNABLES");
    if (thp_on_request() && !(tunables && strstr(tunables, "glibc.malloc.hugetlb"))) {
        char value[1024];
        if (tunables && *tunables)
            snprintf(value, sizeof value, "%s:glibc.malloc.hugetlb=1", tunables);
        else
            snprintf(value, sizeof value, "glibc.malloc.hugetlb=1");
        setenv("GLIBC_TUNABLES", value, 1);
    }
    execv(self, argv);
    fprintf(stderr, "tolvenra: cannot start %s: ", self);
    perror(NULL);
    return 127;
}
