#pragma once
// The type library of the numeric field library: its identities and
// version, the value sets of the field's enumerated properties (each as a
// hidden enumeration, the properties' declared type, and as a module of
// named constants for the host's code), with their documentation strings.
// Names are spelled as hosts know them.

#include <QtGlobal>

namespace numbox {

// ---- identities --------------------------------------------------------------

inline constexpr const char* kTypeLibraryId = "{667E8C40-F9B5-11CF-90AB-444553540000}";
inline constexpr const char* kDispatchInterfaceId = "{667E8C41-F9B5-11CF-90AB-444553540000}";  // _DNum
inline constexpr const char* kEventInterfaceId = "{667E8C42-F9B5-11CF-90AB-444553540000}";     // _DNumEvents
inline constexpr const char* kControlClassId = "{667E8C43-F9B5-11CF-90AB-444553540000}";       // QuorMaskNum
// The identity of the row source interface (IRowCursor), the declared type of DataSource.
inline constexpr const char* kRowCursorId = "{9F6AA700-D188-11CD-AD48-00AA003C9CB6}";
inline constexpr const char* kProgId = "Inkfield.QuorMaskNum.1";
inline constexpr int kTypeLibraryMajor = 1;
inline constexpr int kTypeLibraryMinor = 0;
inline constexpr const char* kTypeLibraryDoc = "Ferncastle Masked Numeric Control";
inline constexpr const char* kDispatchInterfaceDoc = "Dispatch interface for Ferncastle Masked Numeric Control";
inline constexpr const char* kEventInterfaceDoc = "Event interface for Ferncastle Masked Numeric Control";

// ---- version -------------------------------------------------------------------

inline constexpr int kFileVersion[4] = {1, 0, 0, 523};
inline constexpr int kProductVersion[4] = {1, 0, 0, 0};
inline constexpr const char* kFileVersionText = "1.00.523";
inline constexpr const char* kProductVersionText = "1.00.000";
inline constexpr const char* kProductName = "Ferncastle Inkfield ActiveX Controls";
inline constexpr const char* kFileDescription = "Ferncastle Inkfield ActiveX Controls";

// ---- hidden enumerations: the declared types of the properties ---------------

enum class AlignmentConstants : qint32 { LeftAlign = 0, RightAlign = 1 };
enum class DisplayAlignmentConstants : qint32 { LeftAlign = 0, Centered = 1, RightAlign = 2, DASameAs = 3 };
enum class CalCaptionAlignmentConstants : qint32 { LeftAlign = 0, Centered = 1, RightAlign = 2 };
enum class CaretStyleConstants : qint32 { DefaultCaret = 0, SolidCaret = 1, GrayCaret = 2, TriangleCaret = 3, UnderlineCaret = 4, DottedCaret = 5, CustomCaret = 6 };
enum class ErrorTypeConstants : qint32 { ET0 = 0, ET1 = 1, ET2 = 2, ET3 = 3, ET4 = 4, ET5 = 5, ET6 = 6, ET7 = 7, ET8 = 8, ET9 = 9, ET10 = 10, ET11 = 11 };
enum class BorderStyleConstants : qint32 { None = 0, SingleLine = 1 };
enum class AppearanceConstants : qint32 { quorFlat = 0, quor3D = 1 };
enum class MousePointerConstants : qint32 { Default = 0, Arrow = 1, Cross = 2, IBeam = 3, Icon = 4, Size = 5, SizeNESW = 6, SizeNS = 7, SizeNWSE = 8, SizeEW = 9, UpArrow = 10, Hourglass = 11, NoDrop = 12, ArrowAndHourglass = 13, ArrowAndQuestion = 14, SizeAll = 15, Custom = 99 };
enum class TypeConstants : qint32 { vbtype0 = 0, vbtype1 = 0, vbtype2 = 0, vbtype3 = 0, vbtype4 = 0, vbtype5 = 0, vbtype6 = 0, vbtype7 = 0, vbtype8 = 0, vbtype9 = 0, vbtype10 = 0, vbtype11 = 0 };
enum class ValidateTypeConstants : qint32 { None = 0, Within = 1, Outside = 2, Negative = 3, Positive = 4, NonZero = 5 };
enum class DirectionConstants : qint32 { SD0 = 0, SD1 = 1 };
enum class MaskTypeConstants : qint32 { MaskNumeric = 0, MaskCurrecny = 1 };
enum class MaskNegFormatConstants : qint32 { SystemDefault = 0, F1 = 1, F2 = 2, F3 = 3, F4 = 4, F5 = 5, F6 = 6, F7 = 7, F8 = 8, F9 = 9, F10 = 10, F11 = 11 };
enum class MaskPosFormatConstants : qint32 { SystemDefault = 0, F1 = 1, F2 = 2, F3 = 3, F4 = 4 };
enum class DataTypeConstants : qint32 { DTNone = 0, DTInteger = 1, DTLong = 2, DTSingle = 3, DTDouble = 4, DTCurrency = 5 };
enum class CalcBtnTypeConstants : qint32 { CB0 = 0, CB1 = 1, CB2 = 2, CB3 = 3, CB4 = 4, CB5 = 5, CB6 = 6, CB7 = 7, CB8 = 8, CB9 = 9, CB10 = 10, CB11 = 11, CB12 = 12, CB13 = 13, CB14 = 14, CB15 = 15, CB16 = 16, CB17 = 17, CB18 = 18, CB19 = 19, CB20 = 20, CB21 = 21, CB22 = 22 };

// ---- constant modules, for the host's code --------------------------------------

// Constants used with Color properties
enum Constants_Colors : qint32 {
  // Ignore the color setting in this property.
  quorIgnoreColorProperty = 16777217,
};

// Constants for Alignment property
enum Constants_Alignment : short {
  // Left aligns text in the text box.
  quorAlignmentLeft = 0,
  // Right aligns text in the text box.
  quorAlignmentRight = 1,
};

// Constants for DisplayAlignment property
enum Constants_DisplayAlignment : short {
  // Left aligns text in the text box.
  quorDisplayAlignmentLeft = 0,
  // Centers text in the text box.
  quorDisplayAlignmentCentered = 1,
  // Right aligns text in the text box.
  quorDisplayAlignmentRight = 2,
  // Uses the same alignment setting as defined by the Alignment property.
  quorDisplayAlignmentSameAs = 3,
};

// Constants for CalCaptionAlignment property
enum Constants_CalCaptionAlignment : short {
  // Left aligns the calendar caption.
  quorCalCaptionAlignmentLeft = 0,
  // Centers the calendar caption.
  quorCalCaptionAlignmentCentered = 1,
  // Right aligns the calendar caption.
  quorCalCaptionAlignmentRight = 2,
};

// Constants for CaretStyleInsert and CaretStyleOvertype properties
enum Constants_CaretStyle : short {
  // Displays the default system caret.
  quorCaretStyleDefault = 0,
  // Displays a solid caret.
  quorCaretStyleSolid = 1,
  // Displays a gray rectangular caret.
  quorCaretStyleGray = 2,
  // Displays a triangle caret underneath each character.
  quorCaretStyleTriangle = 3,
  // Displays an underline caret underneath each character.
  quorCaretStyleUnderline = 4,
  // Displays a dotted caret underneath each character.
  quorCaretStyleDotted = 5,
  // Displays a custom caret defined by the CaretPictureOvertype or CaretPictureInsert properties.
  quorCaretStyleCustom = 6,
};

// Constants for ErrType Parameter property of the DataError event
enum Constants_ErrType : short {
  // No error occurred.
  quorErrTypeNoError = 0,
  // The error indicates that the user did not enter a value when it was required.
  quorErrTypeNullNotAllowed = 1,
  // The error indicates that the data read from the data source that the control is bound to does not match the input mask defined.
  quorErrTypeDataReadError = 2,
  // The error indicates that the input mask defined a required character and a character was not entered.
  quorErrTypeCharRequired = 3,
  // The error indicates that the value entered into the control does not match its type in the database and is invalid.
  quorErrTypeBadType = 4,
  // The error indicates that the value entered into the control does not fall within/outside the range specified by the ValidateRangeLow and ValidateRangeHigh properties.
  quorErrTypeInvalidRange = 5,
  // The error indicates that the date value entered into the control does not fall on a weekday.
  quorErrTypeNotWeekday = 6,
  // The error indicates that the date value entered into the control does not fall on a weekend.
  quorErrTypeNotWeekend = 7,
  // The error indicates that the value entered into the control is not negative.
  quorErrTypeNotNegative = 8,
  // The error indicates that the value entered into the control is not positive.
  quorErrTypeNotPositive = 9,
  // The error indicates that the value entered into the control is zero.
  quorErrTypeNotNonZero = 10,
  // The error indicates that the OnValidate event returned Valid = False.
  quorErrTypeUserError = 11,
};

// Constants for BorderStyle property
enum Constants_BorderStyle : short {
  // Display control with no border.
  quorTextBorderStyleNone = 0,
  // Display control with a single line border.
  quorTextBorderStyleSingle = 1,
};

// Constants for Appearance property
enum Constants_Appearance : short {
  // Displays the control with a flat, 2-dimensional appearance.
  quorAppearanceFlat = 0,
  // Displays the control with a sunken, 3-dimensional appearance.
  quorAppearance3D = 1,
};

// Constants for ValidateType property
enum Constants_ValidateType : short {
  // No special validation is required.
  quorValidateTypeNone = 0,
  // The control will fire the DataError event if the value entered does not fall within the range specified by the ValidateRangeLow and ValidateRangeHigh properties.
  quorValidateTypeWithin = 1,
  // The control will fire the DataError event if the value entered does not fall outside the range specified by the ValidateRangeLow and ValidateRangeHigh properties.
  quorValidateTypeOutside = 2,
  // The control will fire the DataError event if the value entered is not negative.
  quorValidateTypeNegative = 3,
  // The control will fire the DataError event if the value entered is not positive.
  quorValidateTypePositive = 4,
  // The control will fire the DataError event if the date entered is zero.
  quorValidateTypeNonZero = 5,
};

// Constants for Direction parameter in the DoSpinClick method and SpinClick event
enum Constants_SpinDirection : short {
  // The up spin button was clicked.
  quorSpinDirectionUp = 1,
  // The down spin button was clicked.
  quorSpinDirectionDown = 0,
};

// Constants for MaskType property
enum Constants_MaskType : short {
  // The control mask will apply general numeric type settings to the input mask.
  quorMaskTypeNumeric = 0,
  // The control mask will apply currency type settings to the input mask.
  quorMaskTypeCurrency = 1,
};

// Constants for MaskNegFormat property
enum Constants_MaskNegFormat : short {
  // Uses the negative format as defined by the current system locale settings.
  quorMaskNegFormatSystemDefault = 0,
  // The control mask will apply the format ($1.1) to the input mask.
  quorMaskNegFormat1 = 1,
  // The control mask will apply the format -$1.1 to the input mask.
  quorMaskNegFormat2 = 2,
  // The control mask will apply the format $-1.1 to the input mask.
  quorMaskNegFormat3 = 3,
  // The control mask will apply the format $1.1- to the input mask.
  quorMaskNegFormat4 = 4,
  // The control mask will apply the format $(1.1) to the input mask.
  quorMaskNegFormat5 = 5,
  // The control mask will apply the format -1.1$ to the input mask.
  quorMaskNegFormat6 = 6,
  // The control mask will apply the format 1.1-$ to the input mask.
  quorMaskNegFormat7 = 7,
  // The control mask will apply the format 1.1$- to the input mask.
  quorMaskNegFormat8 = 8,
  // The control mask will apply the format -1.1 $ to the input mask.
  quorMaskNegFormat9 = 9,
  // The control mask will apply the format -$ 1.1 to the input mask.
  quorMaskNegFormat10 = 10,
  // The control mask will apply the format 1.1 $- to the input mask.
  quorMaskNegFormat11 = 11,
};

// Constants for MaskPosFormat property
enum Constants_MaskPosFormat : short {
  // Uses the positive format as defined by the current system locale settings.
  quorMaskPosFormatSystemDefault = 0,
  // The control mask will apply the format $1.1 to the input mask.
  quorMaskPosFormat1 = 1,
  // The control mask will apply the format 1.1$ to the input mask.
  quorMaskPosFormat2 = 2,
  // The control mask will apply the format $ 1.1 to the input mask.
  quorMaskPosFormat3 = 3,
  // The control mask will apply the format 1.1 $ to the input mask.
  quorMaskPosFormat4 = 4,
};

// Constants for DataType property
enum Constants_DataType : short {
  // The numeric value of the control does not have a type.
  quorDataTypeNone = 0,
  // The numeric value of the control is on type Integer.
  quorDataTypeInteger = 1,
  // The numeric value of the control is on type Long.
  quorDataTypeLong = 2,
  // The numeric value of the control is on type Single.
  quorDataTypeSingle = 3,
  // The numeric value of the control is on type Double.
  quorDataTypeDouble = 4,
  // The numeric value of the control is on type Currency.
  quorDataTypeCurrency = 5,
};

// Constants for CalcBtnTypeType parameter
enum Constants_CalcBtnType : short {
  // The button on the calulator that represents the digit 0.
  quorCalcBtnType0 = 0,
  // The button on the calulator that represents the digit 1.
  quorCalcBtnType1 = 1,
  // The button on the calulator that represents the digit 2.
  quorCalcBtnType2 = 2,
  // The button on the calulator that represents the digit 3.
  quorCalcBtnType3 = 3,
  // The button on the calulator that represents the digit 4.
  quorCalcBtnType4 = 4,
  // The button on the calulator that represents the digit 5.
  quorCalcBtnType5 = 5,
  // The button on the calulator that represents the digit 6.
  quorCalcBtnType6 = 6,
  // The button on the calulator that represents the digit 7.
  quorCalcBtnType7 = 7,
  // The button on the calulator that represents the digit 8.
  quorCalcBtnType8 = 8,
  // The button on the calulator that represents the digit 9.
  quorCalcBtnType9 = 9,
  // The button on the calulator that represents the Decimal.
  quorCalcBtnTypeDecimal = 10,
  // The button on the calulator that represents the Equal Sign.
  quorCalcBtnTypeEqual = 11,
  // The button on the calulator that represents the Sign Toggle.
  quorCalcBtnTypeSignToggle = 12,
  // The button on the calulator that represents the Square Root.
  quorCalcBtnTypeSquareRoot = 13,
  // The button on the calulator that represents Clear.
  quorCalcBtnTypeClear = 14,
  // The button on the calulator that represents Multiply.
  quorCalcBtnTypeMultiply = 15,
  // The button on the calulator that represents Subtract.
  quorCalcBtnTypeSubtract = 16,
  // The button on the calulator that represents Add.
  quorCalcBtnTypeAdd = 17,
  // The button on the calulator that represents Backspace.
  quorCalcBtnTypeBackspace = 18,
  // The button on the calulator that represents Divide.
  quorCalcBtnTypeDivide = 19,
  // The button on the calulator that represents Memory Recall.
  quorCalcBtnTypeMemoryRecall = 20,
  // The button on the calulator that represents Memory Add.
  quorCalcBtnTypeMemoryAdd = 21,
  // The button on the calulator that represents Memory Subtract.
  quorCalcBtnTypeMemorySubtract = 22,
};

}  // namespace numbox
