/*
 * HIDDLL: the least HID access layer that burnlet talks to the boot loader through.
 *
 * On Windows the vendor ships this library; on Linux libHIDDLL.so is our own, built over
 * hidapi (hidraw back end). Any other implementation with these symbols may take its place
 * at load time (the tests put a simulated boot loader here).
 *
 * Every HT_ call returns non-zero on success. CloseHandle returns 1 on success.
 *
 * Report mapping of the hidapi build (device 0x04D9:0x8022, report ID 0 throughout):
 *   command  HT_SetUSBCmd  -> one feature report, 8 data bytes (shorter commands are
 *                             padded with zeros, longer ones refused)
 *   status   HT_GetUSBAck  -> one feature report read, 8 data bytes
 *   data     HT_WriteUSB   -> output reports of 64 data bytes each, the first of which
 *                             counts the flash data the report carries:
 *                               byte 0      n, 1 to 63
 *                               bytes 1-n   the next n bytes of the call's data
 *                               the rest    zero, and not data
 *                             A call of c bytes becomes ceil(c / 63) reports, every one
 *                             full but the call's last.
 *
 * Why a count in every data report: burnlet hands one transfer over in many calls (one per
 * block, whatever block size the client chose), and only the transfer's length is known to
 * the device, from the command that opened it. Were reports padded to 64 bytes with nothing
 * to tell padding from data, the padding of every block that is not a multiple of 64 long
 * would land in the middle of the stream as flash data. With the count, each call delivers
 * exactly the bytes it was given, in order, wherever it falls in the transfer, and a report
 * lost on the way leaves the device short (its progress word shows it) instead of shifting
 * everything after it. The alternative, one stream across calls padded only at the
 * transfer's end, would have to hold back a block's tail until the next call, which a
 * client that waits for the device after each block (Verify) never makes.
 */
#ifndef HIDDLL_H
#define HIDDLL_H

#ifdef __cplusplus
extern "C" {
#endif

typedef void *HANDLE;

int HT_FindHidFirstDevice(unsigned int vid, unsigned int pid, HANDLE *handle);
int HT_FindHidNextDevice(HANDLE *handle);
unsigned int HT_HidGetLastError(void);
int HT_SetUSBCmd(HANDLE handle, int length, unsigned char *command);
int HT_GetUSBAck(HANDLE handle, int length, unsigned char *status);
int HT_WriteUSB(HANDLE handle, unsigned char *data, unsigned int count);
int CloseHandle(HANDLE handle); /* 1 on success */

/* Flash data bytes one output report carries in the hidapi build (see the mapping above). */
enum { HIDDLL_DATA_PER_REPORT = 63 };

/* Error codes of HT_HidGetLastError in the hidapi build. They start at 0x1000 so that a
 * caller passing one on can never confuse it with a boot-loader result code. */
enum {
    HIDDLL_ERROR_NONE = 0,
    HIDDLL_ERROR_INIT = 0x1001,          /* hidapi could not start */
    HIDDLL_ERROR_NO_DEVICE = 0x1002,     /* no device with the requested IDs */
    HIDDLL_ERROR_OPEN = 0x1003,          /* a device was found but could not be opened */
    HIDDLL_ERROR_NO_MORE = 0x1004,       /* the search has no further device */
    HIDDLL_ERROR_BAD_ARGUMENT = 0x1005,  /* null handle or pointer, or a bad length */
    HIDDLL_ERROR_WRITE = 0x1006,         /* a report could not be sent */
    HIDDLL_ERROR_READ = 0x1007           /* the status report could not be read */
};

#ifdef __cplusplus
}
#endif

#endif
