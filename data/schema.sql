-- Levrona working database: table definitions.
--
-- Applied to a new, empty SQLite file; data/reference.sql then adds the
-- delivered reference rows.  Column order, primary-key column order and
-- declared types are part of the file format: row certification keys hash
-- the columns in table order, group certificate numbers sort rows by the
-- primary-key columns, and exchange files list columns in table order.
-- Change them only together with a migration and a test that pins the
-- resulting certificate numbers.
--
-- Conventions: every text column compares without regard to case
-- (COLLATE NOCASE); directory flags hold -1/0, status and selection
-- columns 'Yes'/'No', catalogue flags 'Y'; dates are stored as ISO text
-- 'YYYY-MM-DD HH:MM:SS'.  The common key of agency rows is FISCAL_YEAR,
-- PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID (SCHOOL_ID 0 for
-- county-office and district rows).

-- --------------------------------------------------------------------------
-- Agency directory, form catalogue and form status
-- --------------------------------------------------------------------------

-- Agency directory: one row per agency and fiscal year.  LEA_TYPE 2 county
-- office, 3 school district, 4 school (a charter school when CHARTER_ID is
-- 'Y'), 5 SELPA, 6 ROC/P.  Only rows whose STAT_TYPE is 'OPEN' are listed.
-- District codes of county offices begin with the digits 10.  The Boolean
-- attributes hold -1 (true) or 0 (false).
CREATE TABLE KRN_LEAS (
    FISCAL_YEAR INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    COUNTY_NAME VARCHAR(100) COLLATE NOCASE,
    SCHOOL_DISTRICT_NAME VARCHAR(100) COLLATE NOCASE,
    SCHOOL_NAME VARCHAR(100) COLLATE NOCASE,
    LEA_TYPE SMALLINT,
    STAT_TYPE VARCHAR(10) COLLATE NOCASE,
    DISTRICT_TYPE VARCHAR(20) COLLATE NOCASE,
    LOWEST_GRADE SMALLINT,
    HIGHEST_GRADE SMALLINT,
    CHARTER_ID VARCHAR(1) COLLATE NOCASE,
    CHARTER_TYPE SMALLINT,
    CharterFundingType VARCHAR(30) COLLATE NOCASE,
    charter_no VARCHAR(10) COLLATE NOCASE,
    CS_BA_CHARTER_FILL_BY_DIST SMALLINT DEFAULT 0,
    SELPA_NAME VARCHAR(100) COLLATE NOCASE,
    SELPA_AU_REGION VARCHAR(30) COLLATE NOCASE,
    SELPA_DISTRICTREGION VARCHAR(30) COLLATE NOCASE,
    AU_COUNTY INTEGER,
    ROCP INTEGER,
    ROCP_TYPE SMALLINT,
    ROCP_SMALL SMALLINT,
    IS_BASIC_AID SMALLINT DEFAULT 0,
    TaxDistrictSupplement SMALLINT DEFAULT 0,
    MigrantPopulation SMALLINT DEFAULT 0,
    Small_District SMALLINT DEFAULT 0,
    EXCEPTION_ATT_SUPP SMALLINT DEFAULT 0,
    EXCEPTION_ATT_SUPP_LIST SMALLINT DEFAULT 0,
    EXCEPTION_COURTORDER SMALLINT DEFAULT 0,
    EXCEPTION_SD_SCH_2501 SMALLINT DEFAULT 0,
    AllocationProgram SMALLINT DEFAULT 0,
    INFANTPROGRAM SMALLINT DEFAULT 0,
    AdultEdCOEParticipation SMALLINT DEFAULT 0,
    AllCharterDistrict SMALLINT DEFAULT 0,
    IS_BASIC_AID_CHOICE SMALLINT DEFAULT 0,
    DeniedLEA INTEGER,
    ExceptionAttCoe SMALLINT DEFAULT 0,
    SELECTED VARCHAR(3) COLLATE NOCASE DEFAULT 'No',
    PY_LEA_CORRECTED VARCHAR(3) COLLATE NOCASE DEFAULT 'No',
    NssSchoolType VARCHAR(20) COLLATE NOCASE,
    PRIMARY KEY (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- Form catalogue: one row per entry screen.  FORM_NAME names the screen's data
-- table and is its form key.  CATEGORY 'T' tax, 'A' attendance, 'R' revenue
-- limit, 'CA' charter attendance, 'S' SELPA.  COE, SCHD, CHARTER and SELPA hold
-- 'Y' for the agency kinds the form applies to; FY_2019 holds 'Y' for forms used
-- in fiscal year 2019; REPORTING_PERIOD lists the periods ("P-1", "P-2",
-- "Annual") in which the form is collected.
CREATE TABLE VHO_TORB_FORMS (
    FORM_NO INTEGER NOT NULL,
    FORM_NAME VARCHAR(50) COLLATE NOCASE,
    FORM_DISPLAY_NAME VARCHAR(150) COLLATE NOCASE,
    FORM_TITLE1 VARCHAR(200) COLLATE NOCASE,
    CATEGORY VARCHAR(2) COLLATE NOCASE,
    COE VARCHAR(1) COLLATE NOCASE,
    SCHD VARCHAR(1) COLLATE NOCASE,
    CHARTER VARCHAR(1) COLLATE NOCASE,
    SELPA VARCHAR(1) COLLATE NOCASE,
    REPORTING_PERIOD VARCHAR(30) COLLATE NOCASE,
    FY_2019 VARCHAR(1) COLLATE NOCASE,
    OrderNo INTEGER,
    Program_Type INTEGER,
    SELECTED VARCHAR(3) COLLATE NOCASE DEFAULT 'No',
    PRIMARY KEY (FORM_NO)
);

-- Form status: one row per agency, period and form.  CERTIFICATE_NUMBER is the
-- group certificate number (signed 32-bit CRC-32), Null until one exists.
-- SCHOOL_ID defaults to 0: the status upkeep adds district rows without it.
CREATE TABLE LEA_FORMS_STATUS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL DEFAULT 0,
    FORM_NO INTEGER NOT NULL,
    CERTIFICATE_NUMBER INTEGER,
    NUM_RECORD INTEGER,
    NUM_ERROR INTEGER,
    NUM_WARNING INTEGER,
    LAST_MODIFIED_DATE DATETIME,
    LAST_EDIT_CHECK_DATE DATETIME,
    LAST_EXPORT_DATE DATETIME,
    LAST_IMPORT_DATE DATETIME,
    PY_REASON_CODE INTEGER DEFAULT 0,
    PY_FORMS_CORRECTED VARCHAR(3) COLLATE NOCASE DEFAULT 'No',
    PY_CORRECTION_NOTE TEXT COLLATE NOCASE,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO)
);

-- Prior-year correction reasons.  Code 0 means "no reason"; the entry-screen list
-- joins every status row to its reason, so the code-0 row must exist.
CREATE TABLE PY_CORRECTION_REASON (
    PY_REASON_CODE INTEGER NOT NULL,
    PY_REASON_DESC VARCHAR(255) COLLATE NOCASE,
    PRIMARY KEY (PY_REASON_CODE)
);

-- --------------------------------------------------------------------------
-- Notes, certification answers, contacts and certified-file contents
-- --------------------------------------------------------------------------

-- Free note per agency, period and entry screen.
CREATE TABLE TORB_FORM_NOTES (
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    FORM_NAME VARCHAR(50) COLLATE NOCASE NOT NULL,
    FORM_NOTE TEXT COLLATE NOCASE,
    PRIMARY KEY (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, FORM_NAME)
);

-- Answers to the certification questions: one row per agency, period and
-- question set (TYPE 'COUNTY', 'DISTRICT', 'CHARTER', 'SELPA', 'TAX').  Qn1 to
-- Qn4 hold 1 for "yes", any other number for "no".
CREATE TABLE TorbLeaNotes (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    TYPE VARCHAR(10) COLLATE NOCASE NOT NULL,
    SCHOOL_DISTRICT_NAME VARCHAR(100) COLLATE NOCASE,
    SCHOOL_NAME VARCHAR(100) COLLATE NOCASE,
    Qn1 SMALLINT,
    Qn1Comments TEXT COLLATE NOCASE,
    Qn2 SMALLINT,
    Qn2Comments TEXT COLLATE NOCASE,
    Qn3 SMALLINT,
    Qn3Comments TEXT COLLATE NOCASE,
    Qn4 SMALLINT,
    Qn4Comments TEXT COLLATE NOCASE,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE)
);

-- Contacts who log on: one row per person, id assigned by the database, the name
-- unique.  USER_GROUP 2 county office, 3 school district, 4 charter school,
-- 5 SELPA, 7 county auditor.
CREATE TABLE CONTACTS (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    CONTACT VARCHAR(100) COLLATE NOCASE NOT NULL UNIQUE,
    USER_GROUP SMALLINT,
    COUNTY_ID INTEGER,
    SCHOOL_DISTRICT_ID INTEGER,
    SCHOOL_ID INTEGER DEFAULT 0,
    FISCAL_YEAR INTEGER,
    PHONE VARCHAR(30) COLLATE NOCASE,
    FAX VARCHAR(30) COLLATE NOCASE,
    EMAIL VARCHAR(100) COLLATE NOCASE
);

-- Contents of a certified-data file: one row per certified form group and
-- agency.  The export inserts rows by position, so the column order is fixed.
-- The working database keeps the last export of every form group and agency.
CREATE TABLE EXPORT_FILE_INFO (
    FORM_GROUP_NAME VARCHAR(50) COLLATE NOCASE NOT NULL,
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    SCHOOL_NAME VARCHAR(100) COLLATE NOCASE,
    SCHOOL_DISTRICT_NAME VARCHAR(100) COLLATE NOCASE,
    CERTIFICATE INTEGER,
    CERTIFIED_DATE DATETIME,
    CONTACT VARCHAR(100) COLLATE NOCASE,
    PHONE VARCHAR(30) COLLATE NOCASE,
    FAX VARCHAR(30) COLLATE NOCASE,
    EMAIL VARCHAR(100) COLLATE NOCASE,
    IMPORTED VARCHAR(1) COLLATE NOCASE,
    PRIMARY KEY (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- Contact details of the agencies whose certified data was exported or
-- imported, per agency, year and period.
CREATE TABLE ImportContactInfo (
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    CONTACT VARCHAR(100) COLLATE NOCASE,
    COUNTY_NAME VARCHAR(100) COLLATE NOCASE,
    SCHOOL_DISTRICT_NAME VARCHAR(100) COLLATE NOCASE,
    SCHOOL_NAME VARCHAR(100) COLLATE NOCASE,
    PHONE VARCHAR(30) COLLATE NOCASE,
    FAX VARCHAR(30) COLLATE NOCASE,
    EMAIL VARCHAR(100) COLLATE NOCASE,
    CERTIFIED_DATE DATETIME,
    PRIMARY KEY (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID)
);

-- --------------------------------------------------------------------------
-- Program configuration, layout and certification texts
-- --------------------------------------------------------------------------

-- The stored reporting period: one row.  "1", "2" or "3", or "PY_P2" /
-- "PY_ANNUAL" in the prior-year correction mode.
CREATE TABLE ReportPeriod (
    PeriodID VARCHAR(10) COLLATE NOCASE
);

-- Kinds of in-process component: 'Validate' and 'Calculate'.
CREATE TABLE ComponentType (
    ComponentTypeID INTEGER NOT NULL,
    ComponentTypeName VARCHAR(50) COLLATE NOCASE,
    PRIMARY KEY (ComponentTypeID)
);

-- Component to use per kind, fiscal year and period: ComponentName followed by
-- ".clsValidate" or ".clsCalculate" is the programmatic identifier.
CREATE TABLE ComponentConfiguration (
    ComponentTypeID INTEGER NOT NULL,
    Fiscal_Year INTEGER NOT NULL,
    Period_ID INTEGER NOT NULL,
    ComponentName VARCHAR(50) COLLATE NOCASE,
    PRIMARY KEY (ComponentTypeID, Fiscal_Year, Period_ID)
);

-- Layout of entry screens: one row per line and column of a page (PAGE_NO is
-- the form number).  Lines with LINE_ORDER >= 1 carry data; CT_FIELDS holds the
-- formula of a computed cell.
CREATE TABLE TABLE_INFO (
    PAGE_NO INTEGER NOT NULL,
    Line_No INTEGER NOT NULL,
    LINE_ORDER INTEGER,
    COLUMN_NO VARCHAR(2) COLLATE NOCASE NOT NULL,
    LINE_NAME VARCHAR(100) COLLATE NOCASE,
    FIELD_NAME VARCHAR(64) COLLATE NOCASE,
    table_name VARCHAR(50) COLLATE NOCASE,
    CT_FIELDS VARCHAR(255) COLLATE NOCASE,
    PRIMARY KEY (PAGE_NO, Line_No, COLUMN_NO)
);

-- Certification statements printed on certification reports: two per form group
-- (SNO 1 and 2).
CREATE TABLE TORB_FORM_GROUP_CERT (
    FORM_GROUP VARCHAR(50) COLLATE NOCASE NOT NULL,
    SNO SMALLINT NOT NULL,
    CERT_CONTENT TEXT COLLATE NOCASE,
    FORM_TITLE1 VARCHAR(200) COLLATE NOCASE,
    PRIMARY KEY (FORM_GROUP, SNO)
);

-- --------------------------------------------------------------------------
-- Reference tables read by pick lists, rules and the calculation component
-- --------------------------------------------------------------------------

-- Counties to which a county disburses taxes (P-1, P-2): county_id disburses to
-- loc_county_id; county_name names loc_county_id.
CREATE TABLE taxcoe (
    county_id INTEGER NOT NULL,
    loc_county_id INTEGER NOT NULL,
    county_name VARCHAR(100) COLLATE NOCASE,
    PRIMARY KEY (county_id, loc_county_id)
);

-- Counties from which a county receives taxes (Annual): county_id disburses to
-- loc_county_id; county_name names county_id.
CREATE TABLE taxcoe1 (
    county_id INTEGER NOT NULL,
    loc_county_id INTEGER NOT NULL,
    county_name VARCHAR(100) COLLATE NOCASE,
    PRIMARY KEY (county_id, loc_county_id)
);

-- Districts of another county (county_id) whose taxes concern the county
-- loc_county_id; county_name names county_id.
CREATE TABLE taxsd (
    county_id INTEGER NOT NULL,
    loc_county_id INTEGER NOT NULL,
    county_name VARCHAR(100) COLLATE NOCASE,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_NAME VARCHAR(100) COLLATE NOCASE,
    PRIMARY KEY (county_id, loc_county_id, SCHOOL_DISTRICT_ID)
);

-- Counties whose districts' taxes concern a county: county_id is paired with
-- loc_county_id; county_name names county_id.
CREATE TABLE taxsd2 (
    county_id INTEGER NOT NULL,
    loc_county_id INTEGER NOT NULL,
    county_name VARCHAR(100) COLLATE NOCASE,
    PRIMARY KEY (county_id, loc_county_id)
);

-- Rates of a fiscal year: cost-of-living adjustments added to the SELPA rates
-- and the infant-funding proration factor.
CREATE TABLE Param (
    FISCAL_YEAR INTEGER NOT NULL,
    COLAAides DOUBLE,
    COLADIS DOUBLE,
    COLASDC DOUBLE,
    COLARSP DOUBLE,
    InfantProrationFactor DOUBLE,
    PRIMARY KEY (FISCAL_YEAR)
);

-- Per-agency SELPA rates of a fiscal year; AU_county is the county of the
-- agency's administrative unit.
CREATE TABLE LeaSelpaParams (
    Fiscal_Year INTEGER NOT NULL,
    county_id INTEGER NOT NULL,
    school_district_id INTEGER NOT NULL,
    school_id INTEGER NOT NULL,
    AU_county INTEGER,
    SchoolDistrictName VARCHAR(100) COLLATE NOCASE,
    SDCrate DOUBLE,
    RSPrate DOUBLE,
    DISrate DOUBLE,
    Aiderate DOUBLE,
    SSR DOUBLE,
    NSSSR DOUBLE,
    SSSR DOUBLE,
    PRIMARY KEY (Fiscal_Year, county_id, school_district_id, school_id)
);

-- Migrant certification of a district per period (1 certified, 0 not), read by
-- the necessary-small-school rules.
CREATE TABLE MigrantCert (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    MigrantCertification SMALLINT,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID)
);

-- Provider lists: nonpublic, nonsectarian schools (NPS), nonpublic agencies
-- (NPA) and licensed children's institutions (LCI).
CREATE TABLE KRNNPS (
    NPSCODE VARCHAR(20) COLLATE NOCASE NOT NULL,
    NPSNAME VARCHAR(150) COLLATE NOCASE,
    PRIMARY KEY (NPSCODE)
);

CREATE TABLE KRNNPA (
    NPACODE VARCHAR(20) COLLATE NOCASE NOT NULL,
    npaNAME VARCHAR(150) COLLATE NOCASE,
    PRIMARY KEY (NPACODE)
);

CREATE TABLE KRNLCI (
    lcilicensenumber VARCHAR(20) COLLATE NOCASE NOT NULL,
    lciNAME VARCHAR(150) COLLATE NOCASE,
    PRIMARY KEY (lcilicensenumber)
);

-- --------------------------------------------------------------------------
-- Tax entry screens
-- --------------------------------------------------------------------------

-- Property-tax form (form key TAX): one row per county office, period, county
-- and district of residence and TaxType (0 county, 1 school district).  Total
-- is the sum of the ten lines Secured .. PriorYearRestrictedMonie; the residence
-- names and district type are copied from the directory when a row is saved.
CREATE TABLE Tax (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    TaxType SMALLINT NOT NULL DEFAULT 0,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    ResDistrictType VARCHAR(20) COLLATE NOCASE,
    Secured CURRENCY,
    Unsecured CURRENCY,
    HOX CURRENCY,
    Subventions CURRENCY,
    DistributionTimberYieldTax CURRENCY,
    DistributionPriorYearTax CURRENCY,
    ReleasePriorYearTaxImpound CURRENCY,
    SupplementalTax CURRENCY,
    EducationalRevenueAugmentationFund CURRENCY,
    PriorYearRestrictedMonie CURRENCY,
    Total CURRENCY,
    CommRedFunds CURRENCY,
    SERAF CURRENCY,
    RedevAgencyAssetLiquidation CURRENCY,
    CollegeERAF CURRENCY,
    EstExcessERAF CURRENCY,
    Explanation TEXT COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, TaxType)
);

-- Miscellaneous-tax form: Total = RoyaltiesBonuses + FederalStateCountyLieuofTaxe.
CREATE TABLE TAXMISC (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    RoyaltiesBonuses CURRENCY,
    FederalStateCountyLieuofTaxe CURRENCY,
    Total CURRENCY,
    Explanation TEXT COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

-- Further tax-category screens of the product family.
CREATE TABLE EDS_CS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE BASICAID (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

-- --------------------------------------------------------------------------
-- School-district attendance entry screens
-- Amount columns are a line name, an underscore and a grade span (GradesTKTO3,
-- Grades4TO6, Grades7TO8, Grades9TO12) or Total; ADA figures are DOUBLE.
-- --------------------------------------------------------------------------

-- District attendance: one row per district and period.
CREATE TABLE ATT_SD (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_Total DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_Total DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_Total DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_Total DOUBLE,
    CommDaySchool_GradesTKTO3 DOUBLE,
    CommDaySchool_Grades4TO6 DOUBLE,
    CommDaySchool_Grades7TO8 DOUBLE,
    CommDaySchool_Grades9TO12 DOUBLE,
    CommDaySchool_Total DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_Total DOUBLE,
    ADA_IndStudy_GradesTKTO3 DOUBLE,
    ADA_IndStudy_Grades4TO6 DOUBLE,
    ADA_IndStudy_Grades7TO8 DOUBLE,
    ADA_IndStudy_Grades9TO12 DOUBLE,
    ADA_IndStudy_Total DOUBLE,
    ADA_NEIndStudy_GradesTKTO3 DOUBLE,
    ADA_NEIndStudy_Grades4TO6 DOUBLE,
    ADA_NEIndStudy_Grades7TO8 DOUBLE,
    ADA_NEIndStudy_Grades9TO12 DOUBLE,
    ADA_NEIndStudy_Total DOUBLE,
    CourseBasedIndStudy_GradesTKTO3 DOUBLE,
    CourseBasedIndStudy_Grades4TO6 DOUBLE,
    CourseBasedIndStudy_Grades7TO8 DOUBLE,
    CourseBasedIndStudy_Grades9TO12 DOUBLE,
    CourseBasedIndStudy_Total DOUBLE,
    CourseBasedIndStudyNotElig_GradesTKTO3 DOUBLE,
    CourseBasedIndStudyNotElig_Grades4TO6 DOUBLE,
    CourseBasedIndStudyNotElig_Grades7TO8 DOUBLE,
    CourseBasedIndStudyNotElig_Grades9TO12 DOUBLE,
    CourseBasedIndStudyNotElig_Total DOUBLE,
    ADA_TransK_GradesTKTO3 DOUBLE,
    ADA_TransK_Grades4TO6 DOUBLE,
    ADA_TransK_Grades7TO8 DOUBLE,
    ADA_TransK_Grades9TO12 DOUBLE,
    ADA_TransK_Total DOUBLE,
    ADA_Continuation_GradesTKTO3 DOUBLE,
    ADA_Continuation_Grades4TO6 DOUBLE,
    ADA_Continuation_Grades7TO8 DOUBLE,
    ADA_Continuation_Grades9TO12 DOUBLE,
    ADA_Continuation_Total DOUBLE,
    ADA_Opportunity_GradesTKTO3 DOUBLE,
    ADA_Opportunity_Grades4TO6 DOUBLE,
    ADA_Opportunity_Grades7TO8 DOUBLE,
    ADA_Opportunity_Grades9TO12 DOUBLE,
    ADA_Opportunity_Total DOUBLE,
    PY_AttCharterSchool_RegularADA_GradesTKTO3 DOUBLE,
    PY_AttCharterSchool_RegularADA_Grades4TO6 DOUBLE,
    PY_AttCharterSchool_RegularADA_Grades7TO8 DOUBLE,
    PY_AttCharterSchool_RegularADA_Grades9TO12 DOUBLE,
    PY_AttCharterSchool_RegularADA_Total DOUBLE,
    PY_AttCharterSchool_ExtYearSpEd_GradesTKTO3 DOUBLE,
    PY_AttCharterSchool_ExtYearSpEd_Grades4TO6 DOUBLE,
    PY_AttCharterSchool_ExtYearSpEd_Grades7TO8 DOUBLE,
    PY_AttCharterSchool_ExtYearSpEd_Grades9TO12 DOUBLE,
    PY_AttCharterSchool_ExtYearSpEd_Total DOUBLE,
    PY_AttCharterSchool_Total_GradesTKTO3 DOUBLE,
    PY_AttCharterSchool_Total_Grades4TO6 DOUBLE,
    PY_AttCharterSchool_Total_Grades7TO8 DOUBLE,
    PY_AttCharterSchool_Total_Grades9TO12 DOUBLE,
    PY_AttCharterSchool_ADA_Total DOUBLE,
    PY_AttNonCharterSchool_RegularADA_GradesTKTO3 DOUBLE,
    PY_AttNonCharterSchool_RegularADA_Grades4TO6 DOUBLE,
    PY_AttNonCharterSchool_RegularADA_Grades7TO8 DOUBLE,
    PY_AttNonCharterSchool_RegularADA_Grades9TO12 DOUBLE,
    PY_AttNonCharterSchool_RegularADA_Total DOUBLE,
    PY_AttNonCharterSchool_ExtYearSpEd_GradesTKTO3 DOUBLE,
    PY_AttNonCharterSchool_ExtYearSpEd_Grades4TO6 DOUBLE,
    PY_AttNonCharterSchool_ExtYearSpEd_Grades7TO8 DOUBLE,
    PY_AttNonCharterSchool_ExtYearSpEd_Grades9TO12 DOUBLE,
    PY_AttNonCharterSchool_ExtYearSpEd_Total DOUBLE,
    PY_AttNonCharterSchool_Total_GradesTKTO3 DOUBLE,
    PY_AttNonCharterSchool_Total_Grades4TO6 DOUBLE,
    PY_AttNonCharterSchool_Total_Grades7TO8 DOUBLE,
    PY_AttNonCharterSchool_Total_Grades9TO12 DOUBLE,
    PY_AttNonCharterSchool_ADA_Total DOUBLE,
    PY_DistResNonCharterSchool_RegularADA_GradesTKTO3 DOUBLE,
    PY_DistResNonCharterSchool_RegularADA_Grades4TO6 DOUBLE,
    PY_DistResNonCharterSchool_RegularADA_Grades7TO8 DOUBLE,
    PY_DistResNonCharterSchool_RegularADA_Grades9TO12 DOUBLE,
    PY_DistResNonCharterSchool_RegularADA_Total DOUBLE,
    PY_DistResNonCharterSchool_ExtYearSpEd_GradesTKTO3 DOUBLE,
    PY_DistResNonCharterSchool_ExtYearSpEd_Grades4TO6 DOUBLE,
    PY_DistResNonCharterSchool_ExtYearSpEd_Grades7TO8 DOUBLE,
    PY_DistResNonCharterSchool_ExtYearSpEd_Grades9TO12 DOUBLE,
    PY_DistResNonCharterSchool_ExtYearSpEd_Total DOUBLE,
    PY_DistResNonCharterSchool_Total_GradesTKTO3 DOUBLE,
    PY_DistResNonCharterSchool_Total_Grades4TO6 DOUBLE,
    PY_DistResNonCharterSchool_Total_Grades7TO8 DOUBLE,
    PY_DistResNonCharterSchool_Total_Grades9TO12 DOUBLE,
    PY_DistResNonCharterSchool_ADA_Total DOUBLE,
    GainLoss_RegularADA_GradesTKTO3 DOUBLE,
    GainLoss_RegularADA_Grades4TO6 DOUBLE,
    GainLoss_RegularADA_Grades7TO8 DOUBLE,
    GainLoss_RegularADA_Grades9TO12 DOUBLE,
    GainLoss_RegularADA_Total DOUBLE,
    GainLoss_ExtYearSpEd_GradesTKTO3 DOUBLE,
    GainLoss_ExtYearSpEd_Grades4TO6 DOUBLE,
    GainLoss_ExtYearSpEd_Grades7TO8 DOUBLE,
    GainLoss_ExtYearSpEd_Grades9TO12 DOUBLE,
    GainLoss_ExtYearSpEd_Total DOUBLE,
    GainLoss_Total_GradesTKTO3 DOUBLE,
    GainLoss_Total_Grades4TO6 DOUBLE,
    GainLoss_Total_Grades7TO8 DOUBLE,
    GainLoss_Total_Grades9TO12 DOUBLE,
    GainLoss_ADA_Total DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- District attendance by county and district of residence.
CREATE TABLE ATT_SD_BS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_Total DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_Total DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_Total DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_Total DOUBLE,
    CommDaySchool_GradesTKTO3 DOUBLE,
    CommDaySchool_Grades4TO6 DOUBLE,
    CommDaySchool_Grades7TO8 DOUBLE,
    CommDaySchool_Grades9TO12 DOUBLE,
    CommDaySchool_Total DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_Total DOUBLE,
    ADA_TransK DOUBLE,
    ADA_Continuation DOUBLE,
    ADA_Opportunity DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

CREATE TABLE ATT_SD_BAOE (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_Total DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_Total DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_Total DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_Total DOUBLE,
    CommDaySchool_GradesTKTO3 DOUBLE,
    CommDaySchool_Grades4TO6 DOUBLE,
    CommDaySchool_Grades7TO8 DOUBLE,
    CommDaySchool_Grades9TO12 DOUBLE,
    CommDaySchool_Total DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_Total DOUBLE,
    ADA_TransK DOUBLE,
    ADA_Continuation DOUBLE,
    ADA_Opportunity DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

CREATE TABLE ATT_SD_SUPP (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_Total DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_Total DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_Total DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_Total DOUBLE,
    CommDaySchool_GradesTKTO3 DOUBLE,
    CommDaySchool_Grades4TO6 DOUBLE,
    CommDaySchool_Grades7TO8 DOUBLE,
    CommDaySchool_Grades9TO12 DOUBLE,
    CommDaySchool_Total DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_Total DOUBLE,
    ADA_TransK DOUBLE,
    ADA_Continuation DOUBLE,
    ADA_Opportunity DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

-- Necessary small schools: one row per school (SCHOOL_ID) of a district.
CREATE TABLE BRL_SD_NSES_ADA (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    NumberOfFTTeachers DOUBLE,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Total DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Total DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Total DOUBLE,
    PY_RegularADA_GradesTKTO3 DOUBLE,
    PY_RegularADA_Grades4TO6 DOUBLE,
    PY_RegularADA_Grades7TO8 DOUBLE,
    PY_RegularADA_Total DOUBLE,
    PY_ExtYearSpEd_GradesTKTO3 DOUBLE,
    PY_ExtYearSpEd_Grades4TO6 DOUBLE,
    PY_ExtYearSpEd_Grades7TO8 DOUBLE,
    PY_ExtYearSpEd_Total DOUBLE,
    PY_ADATotal_GradesTKTO3 DOUBLE,
    PY_ADATotal_Grades4TO6 DOUBLE,
    PY_ADATotal_Grades7TO8 DOUBLE,
    PY_ADATotal_Total DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE BRL_SD_NSHS_ADA (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    NumberOfFTEEmployees DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    PY_RegularADA_Grades9TO12 DOUBLE,
    PY_ExtYearSpEd_Grades9TO12 DOUBLE,
    PY_ADATotal_Grades9TO12 DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE BRL_SD_NSCHS_ADA (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    NumberOfFTEEmployees DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    PY_RegularADA_Grades9TO12 DOUBLE,
    PY_ExtYearSpEd_Grades9TO12 DOUBLE,
    PY_ADATotal_Grades9TO12 DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE NSS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CYOrPYFundingNSES SMALLINT,
    EdCodeNSES VARCHAR(50) COLLATE NOCASE,
    CYOrPYFundingNSHS SMALLINT,
    EdCodeNSHS VARCHAR(50) COLLATE NOCASE,
    FundAsNssYN BIT,
    NumberOfFTTeachers DOUBLE,
    NumberOfFTEEmployees DOUBLE,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_Total DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_Total DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_Total DOUBLE,
    PY_RegularADA_GradesTKTO3 DOUBLE,
    PY_RegularADA_Grades4TO6 DOUBLE,
    PY_RegularADA_Grades7TO8 DOUBLE,
    PY_RegularADA_Grades9TO12 DOUBLE,
    PY_RegularADA_Total DOUBLE,
    PY_ExtYearSpEd_GradesTKTO3 DOUBLE,
    PY_ExtYearSpEd_Grades4TO6 DOUBLE,
    PY_ExtYearSpEd_Grades7TO8 DOUBLE,
    PY_ExtYearSpEd_Grades9TO12 DOUBLE,
    PY_ExtYearSpEd_Total DOUBLE,
    PY_ADATotal_GradesTKTO3 DOUBLE,
    PY_ADATotal_Grades4TO6 DOUBLE,
    PY_ADATotal_Grades7TO8 DOUBLE,
    PY_ADATotal_Grades9TO12 DOUBLE,
    PY_ADATotal_Total DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- Class-size screens of the revenue-limit product.
CREATE TABLE BRL_SD_CSP_NEW (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    GRADE VARCHAR(2) COLLATE NOCASE NOT NULL,
    FULL_PERIOD SMALLINT NOT NULL,
    AVG_CLASS_ENROLL_SIZE DOUBLE NOT NULL,
    NO_CLASSES_SIZE INTEGER NOT NULL,
    FRACTION_IN_SESSION DOUBLE NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, GRADE, FULL_PERIOD, AVG_CLASS_ENROLL_SIZE, NO_CLASSES_SIZE, FRACTION_IN_SESSION)
);

CREATE TABLE BRL_SD_CSP (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    AVG_CLASS_ENROLL DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- Further district and county screens of the product family.
CREATE TABLE DISTRICTLIMITK12 (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE GATE (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE GATE_ALL (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE HIGHRISKYOUTH (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE NSSFUNDINGSELECTION (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE SDVORNESTDATAAUDITADJ (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE COUNTYLCFFADJUSTMENTS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE COUNTYVORNESTDATAADJ (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE COUNTYVORNESTDATAAUDITADJ (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE COUNTYREVENUELIMITFORMO (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE AttSuppIns (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- ROC/P screens: one row per ROC/P (ROP) and member district (ROP_DISTRICT).
CREATE TABLE ROCPSCHOOL (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    ROP INTEGER NOT NULL,
    ROP_DISTRICT INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, ROP, ROP_DISTRICT)
);

CREATE TABLE ROCPSCHOOLADA (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    ROP INTEGER NOT NULL,
    ROP_DISTRICT INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, ROP, ROP_DISTRICT)
);

CREATE TABLE SE_SDCOE_ROCPH (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    ROP INTEGER NOT NULL,
    ROP_DISTRICT INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, ROP, ROP_DISTRICT)
);

-- --------------------------------------------------------------------------
-- County-office attendance entry screens
-- --------------------------------------------------------------------------

-- County office's own attendance: one row per county office and period, with
-- elementary and high-school columns.
CREATE TABLE ATTCOE (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CountyGroupHomeInstitutionPupilsElementary DOUBLE,
    CountyGroupHomeInstitutionPupilsHigh DOUBLE,
    CountyGroupHomeInstitutionPupilsTotal DOUBLE,
    JuvenileHallsHomesCampsElementary DOUBLE,
    JuvenileHallsHomesCampsHigh DOUBLE,
    JuvenileHallsHomesCampsTotal DOUBLE,
    ProbationElementary DOUBLE,
    ProbationHigh DOUBLE,
    ProbationTotal DOUBLE,
    TotalADAElementary DOUBLE,
    TotalADAHigh DOUBLE,
    TotalADA DOUBLE,
    AICFElementary DOUBLE,
    AICFHigh DOUBLE,
    AICFTotal DOUBLE,
    HandicappedAdultsElem DOUBLE,
    HandicappedAdultsHigh DOUBLE,
    HandicappedAdultsTotal DOUBLE,
    ADAStudentsFulltimeIndependentStudyElem DOUBLE,
    ADAStudentsFulltimeIndependentStudyHigh DOUBLE,
    ADAStudentsFulltimeIndependentStudyTotal DOUBLE,
    ADANotEligIndependentStudyElem DOUBLE,
    ADANotEligIndependentStudyHigh DOUBLE,
    ADANotEligIndependentStudyTotal DOUBLE,
    CourseBasedIndStudyElem DOUBLE,
    CourseBasedIndStudyHigh DOUBLE,
    CourseBasedIndStudyTotal DOUBLE,
    CourseBasedIndStudyNotEligElem DOUBLE,
    CourseBasedIndStudyNotEligHigh DOUBLE,
    CourseBasedIndStudyNotEligTotal DOUBLE,
    ADAForTransKElem DOUBLE,
    ADAForTransKHigh DOUBLE,
    ADAForTransKTotal DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- District-funded county programs: one row per county and district of residence.
-- The _Rate1/_Rate2 and Other_ program boxes hold 1 (checked) or 0.
CREATE TABLE ATTCOEDISTFUNDADA (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    CountyCommunitySchools_GradesTKTO3 DOUBLE,
    CountyCommunitySchools_Grades4TO6 DOUBLE,
    CountyCommunitySchools_Grades7TO8 DOUBLE,
    CountyCommunitySchools_Grades9TO12 DOUBLE,
    CountyCommunitySchools_Total DOUBLE,
    SpEd_SpecialDayClass_GradesTKTO3 DOUBLE,
    SpEd_SpecialDayClass_Grades4TO6 DOUBLE,
    SpEd_SpecialDayClass_Grades7TO8 DOUBLE,
    SpEd_SpecialDayClass_Grades9TO12 DOUBLE,
    SpEd_SpecialDayClass_Total DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_Total DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_Total DOUBLE,
    Other_GradesTKTO3 DOUBLE,
    Other_Grades4TO6 DOUBLE,
    Other_Grades7TO8 DOUBLE,
    Other_Grades9TO12 DOUBLE,
    Other_Total DOUBLE,
    Tuition_GradesTKTO3 DOUBLE,
    Tuition_Grades4TO6 DOUBLE,
    Tuition_Grades7TO8 DOUBLE,
    Tuition_Grades9TO12 DOUBLE,
    Tuition_Total DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_Total DOUBLE,
    ADA_IndStudy_GradesTKTO3 DOUBLE,
    ADA_IndStudy_Grades4TO6 DOUBLE,
    ADA_IndStudy_Grades7TO8 DOUBLE,
    ADA_IndStudy_Grades9TO12 DOUBLE,
    ADA_IndStudy_Total DOUBLE,
    ADA_NEIndStudy_GradesTKTO3 DOUBLE,
    ADA_NEIndStudy_Grades4TO6 DOUBLE,
    ADA_NEIndStudy_Grades7TO8 DOUBLE,
    ADA_NEIndStudy_Grades9TO12 DOUBLE,
    ADA_NEIndStudy_Total DOUBLE,
    CourseBasedIndStudy_GradesTKTO3 DOUBLE,
    CourseBasedIndStudy_Grades4TO6 DOUBLE,
    CourseBasedIndStudy_Grades7TO8 DOUBLE,
    CourseBasedIndStudy_Grades9TO12 DOUBLE,
    CourseBasedIndStudy_Total DOUBLE,
    CourseBasedIndStudyNotElig_GradesTKTO3 DOUBLE,
    CourseBasedIndStudyNotElig_Grades4TO6 DOUBLE,
    CourseBasedIndStudyNotElig_Grades7TO8 DOUBLE,
    CourseBasedIndStudyNotElig_Grades9TO12 DOUBLE,
    CourseBasedIndStudyNotElig_Total DOUBLE,
    ADA_TransK_GradesTKTO3 DOUBLE,
    ADA_TransK_Grades4TO6 DOUBLE,
    ADA_TransK_Grades7TO8 DOUBLE,
    ADA_TransK_Grades9TO12 DOUBLE,
    ADA_TransK_Total DOUBLE,
    CountyCommunitySchools_Rate1 SMALLINT DEFAULT 0,
    CountyCommunitySchools_Rate2 SMALLINT DEFAULT 0,
    SpEd_SpecialDayClass_Rate1 SMALLINT DEFAULT 0,
    SpEd_SpecialDayClass_Rate2 SMALLINT DEFAULT 0,
    SpEd_56366_Rate1 SMALLINT DEFAULT 0,
    SpEd_56366_Rate2 SMALLINT DEFAULT 0,
    ExtYearSpEd_56366_Rate1 SMALLINT DEFAULT 0,
    ExtYearSpEd_56366_Rate2 SMALLINT DEFAULT 0,
    Other_Rate1 SMALLINT DEFAULT 0,
    Other_Rate2 SMALLINT DEFAULT 0,
    Tuition_Rate1 SMALLINT DEFAULT 0,
    Tuition_Rate2 SMALLINT DEFAULT 0,
    Other_Opportunity SMALLINT DEFAULT 0,
    Other_SpecializedSecondarySchools SMALLINT DEFAULT 0,
    Other_TechAg SMALLINT DEFAULT 0,
    DFCPPerADATrans_Rate1_GradesTKTO3 CURRENCY,
    DFCPPerADATrans_Rate1_Grades4TO6 CURRENCY,
    DFCPPerADATrans_Rate1_Grades7TO8 CURRENCY,
    DFCPPerADATrans_Rate1_Grades9TO12 CURRENCY,
    DFCPPerADATrans_Rate2_GradesTKTO3 CURRENCY,
    DFCPPerADATrans_Rate2_Grades4TO6 CURRENCY,
    DFCPPerADATrans_Rate2_Grades7TO8 CURRENCY,
    DFCPPerADATrans_Rate2_Grades9TO12 CURRENCY,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

CREATE TABLE ATTCOECCSE (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

CREATE TABLE ATTCOECHCCSE (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

CREATE TABLE AECOE (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE AICF (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- Foster-youth necessary small high school of a county office.
CREATE TABLE FOSTERYOUTHNSHS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    NumberOfFTEEmployees DOUBLE,
    CountyGroupHomeInstitutionPupils DOUBLE,
    JuvenileHallsHomesCamps DOUBLE,
    Probation DOUBLE,
    ADATotal DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- County funding model: one row per district of the county.
CREATE TABLE COUNTYMODEL (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    FundingModel SMALLINT,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- --------------------------------------------------------------------------
-- Charter-school attendance entry screens
-- Columns ending _CB hold the classroom-based part of the line before them; the
-- ATTCSACD screen reports section A (residents, _Res) and section B
-- (non-residents, _NRes).  Track tables hold one row per track (TrackNumber 1
-- to 5, printed "Track A" to "Track E").
-- --------------------------------------------------------------------------

CREATE TABLE ATTCSACD (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RegularADA_GradesTKTO3_Res DOUBLE,
    RegularADA_Grades4TO6_Res DOUBLE,
    RegularADA_Grades7TO8_Res DOUBLE,
    RegularADA_Grades9TO12_Res DOUBLE,
    RegularADA_GradesTKTO3_CB_Res DOUBLE,
    RegularADA_Grades4TO6_CB_Res DOUBLE,
    RegularADA_Grades7TO8_CB_Res DOUBLE,
    RegularADA_Grades9TO12_CB_Res DOUBLE,
    ExtYearSpEd_GradesTKTO3_Res DOUBLE,
    ExtYearSpEd_Grades4TO6_Res DOUBLE,
    ExtYearSpEd_Grades7TO8_Res DOUBLE,
    ExtYearSpEd_Grades9TO12_Res DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB_Res DOUBLE,
    ExtYearSpEd_Grades4TO6_CB_Res DOUBLE,
    ExtYearSpEd_Grades7TO8_CB_Res DOUBLE,
    ExtYearSpEd_Grades9TO12_CB_Res DOUBLE,
    SpEd_56366_GradesTKTO3_Res DOUBLE,
    SpEd_56366_Grades4TO6_Res DOUBLE,
    SpEd_56366_Grades7TO8_Res DOUBLE,
    SpEd_56366_Grades9TO12_Res DOUBLE,
    SpEd_56366_GradesTKTO3_CB_Res DOUBLE,
    SpEd_56366_Grades4TO6_CB_Res DOUBLE,
    SpEd_56366_Grades7TO8_CB_Res DOUBLE,
    SpEd_56366_Grades9TO12_CB_Res DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_Res DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_Res DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_Res DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_Res DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB_Res DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB_Res DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB_Res DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB_Res DOUBLE,
    CdsTKTO3_Res DOUBLE,
    Cds4TO6_Res DOUBLE,
    Cds7TO8_Res DOUBLE,
    Cds9TO12_Res DOUBLE,
    CdsTKTO3_CB_Res DOUBLE,
    Cds4TO6_CB_Res DOUBLE,
    Cds7TO8_CB_Res DOUBLE,
    Cds9TO12_CB_Res DOUBLE,
    ADATotal_GradesTKTO3_Res DOUBLE,
    ADATotal_Grades4TO6_Res DOUBLE,
    ADATotal_Grades7TO8_Res DOUBLE,
    ADATotal_Grades9TO12_Res DOUBLE,
    ADATotal_GradesTKTO3_CB_Res DOUBLE,
    ADATotal_Grades4TO6_CB_Res DOUBLE,
    ADATotal_Grades7TO8_CB_Res DOUBLE,
    ADATotal_Grades9TO12_CB_Res DOUBLE,
    ADATotal_GradesTKTO3_NCB_Res DOUBLE,
    ADATotal_Grades4TO6_NCB_Res DOUBLE,
    ADATotal_Grades7TO8_NCB_Res DOUBLE,
    ADATotal_Grades9TO12_NCB_Res DOUBLE,
    RegularADA_GradesTKTO3_NRes DOUBLE,
    RegularADA_Grades4TO6_NRes DOUBLE,
    RegularADA_Grades7TO8_NRes DOUBLE,
    RegularADA_Grades9TO12_NRes DOUBLE,
    RegularADA_GradesTKTO3_CB_NRes DOUBLE,
    RegularADA_Grades4TO6_CB_NRes DOUBLE,
    RegularADA_Grades7TO8_CB_NRes DOUBLE,
    RegularADA_Grades9TO12_CB_NRes DOUBLE,
    ExtYearSpEd_GradesTKTO3_NRes DOUBLE,
    ExtYearSpEd_Grades4TO6_NRes DOUBLE,
    ExtYearSpEd_Grades7TO8_NRes DOUBLE,
    ExtYearSpEd_Grades9TO12_NRes DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB_NRes DOUBLE,
    ExtYearSpEd_Grades4TO6_CB_NRes DOUBLE,
    ExtYearSpEd_Grades7TO8_CB_NRes DOUBLE,
    ExtYearSpEd_Grades9TO12_CB_NRes DOUBLE,
    SpEd_56366_GradesTKTO3_NRes DOUBLE,
    SpEd_56366_Grades4TO6_NRes DOUBLE,
    SpEd_56366_Grades7TO8_NRes DOUBLE,
    SpEd_56366_Grades9TO12_NRes DOUBLE,
    SpEd_56366_GradesTKTO3_CB_NRes DOUBLE,
    SpEd_56366_Grades4TO6_CB_NRes DOUBLE,
    SpEd_56366_Grades7TO8_CB_NRes DOUBLE,
    SpEd_56366_Grades9TO12_CB_NRes DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_NRes DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_NRes DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_NRes DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_NRes DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB_NRes DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB_NRes DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB_NRes DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB_NRes DOUBLE,
    CdsTKTO3_NRes DOUBLE,
    Cds4TO6_NRes DOUBLE,
    Cds7TO8_NRes DOUBLE,
    Cds9TO12_NRes DOUBLE,
    CdsTKTO3_CB_NRes DOUBLE,
    Cds4TO6_CB_NRes DOUBLE,
    Cds7TO8_CB_NRes DOUBLE,
    Cds9TO12_CB_NRes DOUBLE,
    ADATotal_GradesTKTO3_NRes DOUBLE,
    ADATotal_Grades4TO6_NRes DOUBLE,
    ADATotal_Grades7TO8_NRes DOUBLE,
    ADATotal_Grades9TO12_NRes DOUBLE,
    ADATotal_GradesTKTO3_CB_NRes DOUBLE,
    ADATotal_Grades4TO6_CB_NRes DOUBLE,
    ADATotal_Grades7TO8_CB_NRes DOUBLE,
    ADATotal_Grades9TO12_CB_NRes DOUBLE,
    ADATotal_GradesTKTO3_NCB_NRes DOUBLE,
    ADATotal_Grades4TO6_NCB_NRes DOUBLE,
    ADATotal_Grades7TO8_NCB_NRes DOUBLE,
    ADATotal_Grades9TO12_NCB_NRes DOUBLE,
    ADA_TransK_GradesTKTO3 DOUBLE,
    NCBAdaTKTO3 DOUBLE,
    NCBAdaGrades4TO6 DOUBLE,
    NCBAdaGrades7TO8 DOUBLE,
    NCBAdaGrades9TO12 DOUBLE,
    CourseBasedIndStudy_GradesTKTO3 DOUBLE,
    CourseBasedIndStudy_Grades4TO6 DOUBLE,
    CourseBasedIndStudy_Grades7TO8 DOUBLE,
    CourseBasedIndStudy_Grades9TO12 DOUBLE,
    CourseBasedIndStudyNotElig_GradesTKTO3 DOUBLE,
    CourseBasedIndStudyNotElig_Grades4TO6 DOUBLE,
    CourseBasedIndStudyNotElig_Grades7TO8 DOUBLE,
    CourseBasedIndStudyNotElig_Grades9TO12 DOUBLE,
    SiteType VARCHAR(30) COLLATE NOCASE,
    OptionDay SMALLINT,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE ATTCSACDTRACK (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    TrackNumber SMALLINT NOT NULL,
    RegularADA_GradesTKTO3_Res DOUBLE,
    RegularADA_Grades4TO6_Res DOUBLE,
    RegularADA_Grades7TO8_Res DOUBLE,
    RegularADA_Grades9TO12_Res DOUBLE,
    RegularADA_GradesTKTO3_CB_Res DOUBLE,
    RegularADA_Grades4TO6_CB_Res DOUBLE,
    RegularADA_Grades7TO8_CB_Res DOUBLE,
    RegularADA_Grades9TO12_CB_Res DOUBLE,
    ExtYearSpEd_GradesTKTO3_Res DOUBLE,
    ExtYearSpEd_Grades4TO6_Res DOUBLE,
    ExtYearSpEd_Grades7TO8_Res DOUBLE,
    ExtYearSpEd_Grades9TO12_Res DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB_Res DOUBLE,
    ExtYearSpEd_Grades4TO6_CB_Res DOUBLE,
    ExtYearSpEd_Grades7TO8_CB_Res DOUBLE,
    ExtYearSpEd_Grades9TO12_CB_Res DOUBLE,
    SpEd_56366_GradesTKTO3_Res DOUBLE,
    SpEd_56366_Grades4TO6_Res DOUBLE,
    SpEd_56366_Grades7TO8_Res DOUBLE,
    SpEd_56366_Grades9TO12_Res DOUBLE,
    SpEd_56366_GradesTKTO3_CB_Res DOUBLE,
    SpEd_56366_Grades4TO6_CB_Res DOUBLE,
    SpEd_56366_Grades7TO8_CB_Res DOUBLE,
    SpEd_56366_Grades9TO12_CB_Res DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_Res DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_Res DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_Res DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_Res DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB_Res DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB_Res DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB_Res DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB_Res DOUBLE,
    CdsTKTO3_Res DOUBLE,
    Cds4TO6_Res DOUBLE,
    Cds7TO8_Res DOUBLE,
    Cds9TO12_Res DOUBLE,
    CdsTKTO3_CB_Res DOUBLE,
    Cds4TO6_CB_Res DOUBLE,
    Cds7TO8_CB_Res DOUBLE,
    Cds9TO12_CB_Res DOUBLE,
    RegularADA_GradesTKTO3_NRes DOUBLE,
    RegularADA_Grades4TO6_NRes DOUBLE,
    RegularADA_Grades7TO8_NRes DOUBLE,
    RegularADA_Grades9TO12_NRes DOUBLE,
    RegularADA_GradesTKTO3_CB_NRes DOUBLE,
    RegularADA_Grades4TO6_CB_NRes DOUBLE,
    RegularADA_Grades7TO8_CB_NRes DOUBLE,
    RegularADA_Grades9TO12_CB_NRes DOUBLE,
    ExtYearSpEd_GradesTKTO3_NRes DOUBLE,
    ExtYearSpEd_Grades4TO6_NRes DOUBLE,
    ExtYearSpEd_Grades7TO8_NRes DOUBLE,
    ExtYearSpEd_Grades9TO12_NRes DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB_NRes DOUBLE,
    ExtYearSpEd_Grades4TO6_CB_NRes DOUBLE,
    ExtYearSpEd_Grades7TO8_CB_NRes DOUBLE,
    ExtYearSpEd_Grades9TO12_CB_NRes DOUBLE,
    SpEd_56366_GradesTKTO3_NRes DOUBLE,
    SpEd_56366_Grades4TO6_NRes DOUBLE,
    SpEd_56366_Grades7TO8_NRes DOUBLE,
    SpEd_56366_Grades9TO12_NRes DOUBLE,
    SpEd_56366_GradesTKTO3_CB_NRes DOUBLE,
    SpEd_56366_Grades4TO6_CB_NRes DOUBLE,
    SpEd_56366_Grades7TO8_CB_NRes DOUBLE,
    SpEd_56366_Grades9TO12_CB_NRes DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_NRes DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_NRes DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_NRes DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_NRes DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB_NRes DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB_NRes DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB_NRes DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB_NRes DOUBLE,
    CdsTKTO3_NRes DOUBLE,
    Cds4TO6_NRes DOUBLE,
    Cds7TO8_NRes DOUBLE,
    Cds9TO12_NRes DOUBLE,
    CdsTKTO3_CB_NRes DOUBLE,
    Cds4TO6_CB_NRes DOUBLE,
    Cds7TO8_CB_NRes DOUBLE,
    Cds9TO12_CB_NRes DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrackNumber)
);

CREATE TABLE ATTCS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_GradesTKTO3_CB DOUBLE,
    RegularADA_Grades4TO6_CB DOUBLE,
    RegularADA_Grades7TO8_CB DOUBLE,
    RegularADA_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_Grades9TO12_CB DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_GradesTKTO3_CB DOUBLE,
    SpEd_56366_Grades4TO6_CB DOUBLE,
    SpEd_56366_Grades7TO8_CB DOUBLE,
    SpEd_56366_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_GradesTKTO3_CB DOUBLE,
    ADATotal_Grades4TO6_CB DOUBLE,
    ADATotal_Grades7TO8_CB DOUBLE,
    ADATotal_Grades9TO12_CB DOUBLE,
    ADATotal_GradesTKTO3_NCB DOUBLE,
    ADATotal_Grades4TO6_NCB DOUBLE,
    ADATotal_Grades7TO8_NCB DOUBLE,
    ADATotal_Grades9TO12_NCB DOUBLE,
    ADA_TransK_GradesTKTO3 DOUBLE,
    NCBAdaTKTO3 DOUBLE,
    NCBAdaGrades4TO6 DOUBLE,
    NCBAdaGrades7TO8 DOUBLE,
    NCBAdaGrades9TO12 DOUBLE,
    CourseBasedIndStudy_GradesTKTO3 DOUBLE,
    CourseBasedIndStudy_Grades4TO6 DOUBLE,
    CourseBasedIndStudy_Grades7TO8 DOUBLE,
    CourseBasedIndStudy_Grades9TO12 DOUBLE,
    CourseBasedIndStudyNotElig_GradesTKTO3 DOUBLE,
    CourseBasedIndStudyNotElig_Grades4TO6 DOUBLE,
    CourseBasedIndStudyNotElig_Grades7TO8 DOUBLE,
    CourseBasedIndStudyNotElig_Grades9TO12 DOUBLE,
    SiteType VARCHAR(30) COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE ATTCSTRACK (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    TrackNumber SMALLINT NOT NULL,
    RegularADA_GradesTKTO3_Track DOUBLE,
    RegularADA_Grades4TO6_Track DOUBLE,
    RegularADA_Grades7TO8_Track DOUBLE,
    RegularADA_Grades9TO12_Track DOUBLE,
    RegularADA_GradesTKTO3_CB_Track DOUBLE,
    RegularADA_Grades4TO6_CB_Track DOUBLE,
    RegularADA_Grades7TO8_CB_Track DOUBLE,
    RegularADA_Grades9TO12_CB_Track DOUBLE,
    ExtYearSpEd_GradesTKTO3_Track DOUBLE,
    ExtYearSpEd_Grades4TO6_Track DOUBLE,
    ExtYearSpEd_Grades7TO8_Track DOUBLE,
    ExtYearSpEd_Grades9TO12_Track DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB_Track DOUBLE,
    ExtYearSpEd_Grades4TO6_CB_Track DOUBLE,
    ExtYearSpEd_Grades7TO8_CB_Track DOUBLE,
    ExtYearSpEd_Grades9TO12_CB_Track DOUBLE,
    SpEd_56366_GradesTKTO3_Track DOUBLE,
    SpEd_56366_Grades4TO6_Track DOUBLE,
    SpEd_56366_Grades7TO8_Track DOUBLE,
    SpEd_56366_Grades9TO12_Track DOUBLE,
    SpEd_56366_GradesTKTO3_CB_Track DOUBLE,
    SpEd_56366_Grades4TO6_CB_Track DOUBLE,
    SpEd_56366_Grades7TO8_CB_Track DOUBLE,
    SpEd_56366_Grades9TO12_CB_Track DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_Track DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_Track DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_Track DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_Track DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB_Track DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB_Track DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB_Track DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB_Track DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrackNumber)
);

CREATE TABLE ATTCSADAALLOCATION (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    Res_County_Name VARCHAR(100) COLLATE NOCASE,
    Res_School_District_Name VARCHAR(100) COLLATE NOCASE,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_GradesTKTO3_CB DOUBLE,
    RegularADA_Grades4TO6_CB DOUBLE,
    RegularADA_Grades7TO8_CB DOUBLE,
    RegularADA_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_Grades9TO12_CB DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_GradesTKTO3_CB DOUBLE,
    SpEd_56366_Grades4TO6_CB DOUBLE,
    SpEd_56366_Grades7TO8_CB DOUBLE,
    SpEd_56366_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

CREATE TABLE ATTCSFUNDADA (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CountyCommunitySchools_GradesTKTO3 DOUBLE,
    CountyCommunitySchools_Grades4TO6 DOUBLE,
    CountyCommunitySchools_Grades7TO8 DOUBLE,
    CountyCommunitySchools_Grades9TO12 DOUBLE,
    CountyCommunitySchools_GradesTKTO3_CB DOUBLE,
    CountyCommunitySchools_Grades4TO6_CB DOUBLE,
    CountyCommunitySchools_Grades7TO8_CB DOUBLE,
    CountyCommunitySchools_Grades9TO12_CB DOUBLE,
    SpEd_SpecialDayClass_GradesTKTO3 DOUBLE,
    SpEd_SpecialDayClass_Grades4TO6 DOUBLE,
    SpEd_SpecialDayClass_Grades7TO8 DOUBLE,
    SpEd_SpecialDayClass_Grades9TO12 DOUBLE,
    SpEd_SpecialDayClass_GradesTKTO3_CB DOUBLE,
    SpEd_SpecialDayClass_Grades4TO6_CB DOUBLE,
    SpEd_SpecialDayClass_Grades7TO8_CB DOUBLE,
    SpEd_SpecialDayClass_Grades9TO12_CB DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_GradesTKTO3_CB DOUBLE,
    SpEd_56366_Grades4TO6_CB DOUBLE,
    SpEd_56366_Grades7TO8_CB DOUBLE,
    SpEd_56366_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB DOUBLE,
    Other_GradesTKTO3 DOUBLE,
    Other_Grades4TO6 DOUBLE,
    Other_Grades7TO8 DOUBLE,
    Other_Grades9TO12 DOUBLE,
    Other_GradesTKTO3_CB DOUBLE,
    Other_Grades4TO6_CB DOUBLE,
    Other_Grades7TO8_CB DOUBLE,
    Other_Grades9TO12_CB DOUBLE,
    Other_Total DOUBLE,
    Other_Opportunity BIT DEFAULT 0,
    Other_SpecializedSecondarySchools BIT DEFAULT 0,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_GradesTKTO3_CB DOUBLE,
    ADATotal_Grades4TO6_CB DOUBLE,
    ADATotal_Grades7TO8_CB DOUBLE,
    ADATotal_Grades9TO12_CB DOUBLE,
    ADATotal_GradesTKTO3_NCB DOUBLE,
    ADATotal_Grades4TO6_NCB DOUBLE,
    ADATotal_Grades7TO8_NCB DOUBLE,
    ADATotal_Grades9TO12_NCB DOUBLE,
    ADA_TransK_GradesTKTO3 DOUBLE,
    NCBAdaTKTO3 DOUBLE,
    NCBAdaGrades4TO6 DOUBLE,
    NCBAdaGrades7TO8 DOUBLE,
    NCBAdaGrades9TO12 DOUBLE,
    CourseBasedIndStudy_GradesTKTO3 DOUBLE,
    CourseBasedIndStudy_Grades4TO6 DOUBLE,
    CourseBasedIndStudy_Grades7TO8 DOUBLE,
    CourseBasedIndStudy_Grades9TO12 DOUBLE,
    CourseBasedIndStudyNotElig_GradesTKTO3 DOUBLE,
    CourseBasedIndStudyNotElig_Grades4TO6 DOUBLE,
    CourseBasedIndStudyNotElig_Grades7TO8 DOUBLE,
    CourseBasedIndStudyNotElig_Grades9TO12 DOUBLE,
    SiteType VARCHAR(30) COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE ATTCSFUNDADATRACK (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    TrackNumber SMALLINT NOT NULL,
    CountyCommunitySchools_GradesTKTO3 DOUBLE,
    CountyCommunitySchools_Grades4TO6 DOUBLE,
    CountyCommunitySchools_Grades7TO8 DOUBLE,
    CountyCommunitySchools_Grades9TO12 DOUBLE,
    CountyCommunitySchools_GradesTKTO3_CB DOUBLE,
    CountyCommunitySchools_Grades4TO6_CB DOUBLE,
    CountyCommunitySchools_Grades7TO8_CB DOUBLE,
    CountyCommunitySchools_Grades9TO12_CB DOUBLE,
    SpEd_SpecialDayClass_GradesTKTO3 DOUBLE,
    SpEd_SpecialDayClass_Grades4TO6 DOUBLE,
    SpEd_SpecialDayClass_Grades7TO8 DOUBLE,
    SpEd_SpecialDayClass_Grades9TO12 DOUBLE,
    SpEd_SpecialDayClass_GradesTKTO3_CB DOUBLE,
    SpEd_SpecialDayClass_Grades4TO6_CB DOUBLE,
    SpEd_SpecialDayClass_Grades7TO8_CB DOUBLE,
    SpEd_SpecialDayClass_Grades9TO12_CB DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_GradesTKTO3_CB DOUBLE,
    SpEd_56366_Grades4TO6_CB DOUBLE,
    SpEd_56366_Grades7TO8_CB DOUBLE,
    SpEd_56366_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB DOUBLE,
    Other_GradesTKTO3 DOUBLE,
    Other_Grades4TO6 DOUBLE,
    Other_Grades7TO8 DOUBLE,
    Other_Grades9TO12 DOUBLE,
    Other_GradesTKTO3_CB DOUBLE,
    Other_Grades4TO6_CB DOUBLE,
    Other_Grades7TO8_CB DOUBLE,
    Other_Grades9TO12_CB DOUBLE,
    Other_Total DOUBLE,
    Other_Opportunity BIT DEFAULT 0,
    Other_SpecializedSecondarySchools BIT DEFAULT 0,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrackNumber)
);

CREATE TABLE ATTCSFUNDADAALLOCATION (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    CountyCommunitySchools_GradesTKTO3 DOUBLE,
    CountyCommunitySchools_Grades4TO6 DOUBLE,
    CountyCommunitySchools_Grades7TO8 DOUBLE,
    CountyCommunitySchools_Grades9TO12 DOUBLE,
    CountyCommunitySchools_GradesTKTO3_CB DOUBLE,
    CountyCommunitySchools_Grades4TO6_CB DOUBLE,
    CountyCommunitySchools_Grades7TO8_CB DOUBLE,
    CountyCommunitySchools_Grades9TO12_CB DOUBLE,
    SpEd_SpecialDayClass_GradesTKTO3 DOUBLE,
    SpEd_SpecialDayClass_Grades4TO6 DOUBLE,
    SpEd_SpecialDayClass_Grades7TO8 DOUBLE,
    SpEd_SpecialDayClass_Grades9TO12 DOUBLE,
    SpEd_SpecialDayClass_GradesTKTO3_CB DOUBLE,
    SpEd_SpecialDayClass_Grades4TO6_CB DOUBLE,
    SpEd_SpecialDayClass_Grades7TO8_CB DOUBLE,
    SpEd_SpecialDayClass_Grades9TO12_CB DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_GradesTKTO3_CB DOUBLE,
    SpEd_56366_Grades4TO6_CB DOUBLE,
    SpEd_56366_Grades7TO8_CB DOUBLE,
    SpEd_56366_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB DOUBLE,
    Other_GradesTKTO3 DOUBLE,
    Other_Grades4TO6 DOUBLE,
    Other_Grades7TO8 DOUBLE,
    Other_Grades9TO12 DOUBLE,
    Other_GradesTKTO3_CB DOUBLE,
    Other_Grades4TO6_CB DOUBLE,
    Other_Grades7TO8_CB DOUBLE,
    Other_Grades9TO12_CB DOUBLE,
    Other_Total DOUBLE,
    Other_Opportunity BIT DEFAULT 0,
    Other_SpecializedSecondarySchools BIT DEFAULT 0,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

-- County office's charter attendance, elementary and high-school columns.
CREATE TABLE ATTCOECS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CountyGroupHomeInstitutionPupilsElementary DOUBLE,
    CountyGroupHomeInstitutionPupilsElementary_CB DOUBLE,
    CountyGroupHomeInstitutionPupilsHigh DOUBLE,
    CountyGroupHomeInstitutionPupilsHigh_CB DOUBLE,
    CountyGroupHomeInstitutionPupilsTotal DOUBLE,
    CountyGroupHomeInstitutionPupilsTotal_CB DOUBLE,
    JuvenileHallsHomesCampsElementary DOUBLE,
    JuvenileHallsHomesCampsElementary_CB DOUBLE,
    JuvenileHallsHomesCampsHigh DOUBLE,
    JuvenileHallsHomesCampsHigh_CB DOUBLE,
    JuvenileHallsHomesCampsTotal DOUBLE,
    JuvenileHallsHomesCampsTotal_CB DOUBLE,
    ProbationElementary DOUBLE,
    ProbationElementary_CB DOUBLE,
    ProbationHigh DOUBLE,
    ProbationHigh_CB DOUBLE,
    ProbationTotal DOUBLE,
    ProbationTotal_CB DOUBLE,
    TotalADAElementary DOUBLE,
    TotalADAElementary_CB DOUBLE,
    TotalADAElementary_NCB DOUBLE,
    TotalADAHigh DOUBLE,
    TotalADAHigh_CB DOUBLE,
    TotalADAHigh_NCB DOUBLE,
    TotalADA DOUBLE,
    TotalADA_CB DOUBLE,
    TotalADA_NCB DOUBLE,
    ADAForTransKElem DOUBLE,
    ADAForTransKTotal DOUBLE,
    NCBAdaElem DOUBLE,
    NCBAdaHigh DOUBLE,
    NCBAdaTotal DOUBLE,
    CourseBasedIndStudyElem DOUBLE,
    CourseBasedIndStudyHigh DOUBLE,
    CourseBasedIndStudyTotal DOUBLE,
    CourseBasedIndStudyNotEligElem DOUBLE,
    CourseBasedIndStudyNotEligHigh DOUBLE,
    CourseBasedIndStudyNotEligTotal DOUBLE,
    SiteType VARCHAR(30) COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE ATTCOECSTRACK (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    TrackNumber SMALLINT NOT NULL,
    CtySchlTutFundE DOUBLE,
    CtySchlTutFundH DOUBLE,
    CtySchlTutFundT DOUBLE,
    ClassCtySchlTutFundE DOUBLE,
    ClassCtySchlTutFundH DOUBLE,
    ClassCtySchlTutFundT DOUBLE,
    CtyGrpHomeE DOUBLE,
    CtyGrpHomeH DOUBLE,
    CtyGrpHomeT DOUBLE,
    ClassCtyGrpHomeE DOUBLE,
    ClassCtyGrpHomeH DOUBLE,
    ClassCtyGrpHomeT DOUBLE,
    JuvHallsHomesE DOUBLE,
    JuvHallsHomesH DOUBLE,
    JuvHallsHomesT DOUBLE,
    ClassJuvHallsHomesE DOUBLE,
    ClassJuvHallsHomesH DOUBLE,
    ClassJuvHallsHomesT DOUBLE,
    CommSchlProbationE DOUBLE,
    CommSchlProbationH DOUBLE,
    CommSchlProbationT DOUBLE,
    ClassCommSchlProbationE DOUBLE,
    ClassCommSchlProbationH DOUBLE,
    ClassCommSchlProbationT DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrackNumber)
);

-- Charter attendance by grade span, per county and district of residence; a
-- district fills it in for charters flagged CS_BA_CHARTER_FILL_BY_DIST.
CREATE TABLE CS_BA (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_Total DOUBLE,
    RegularADA_GradesTKTO3_CB DOUBLE,
    RegularADA_Grades4TO6_CB DOUBLE,
    RegularADA_Grades7TO8_CB DOUBLE,
    RegularADA_Grades9TO12_CB DOUBLE,
    RegularADA_Total_CB DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_Total DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_Total_CB DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_Total DOUBLE,
    SpEd_56366_GradesTKTO3_CB DOUBLE,
    SpEd_56366_Grades4TO6_CB DOUBLE,
    SpEd_56366_Grades7TO8_CB DOUBLE,
    SpEd_56366_Grades9TO12_CB DOUBLE,
    SpEd_56366_Total_CB DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_Total DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_56366_Total_CB DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_Total DOUBLE,
    ADATotal_GradesTKTO3_CB DOUBLE,
    ADATotal_Grades4TO6_CB DOUBLE,
    ADATotal_Grades7TO8_CB DOUBLE,
    ADATotal_Grades9TO12_CB DOUBLE,
    ADATotal_Total_CB DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

-- Charter block-grant screens of the product family.  ATT_CS_BG_U holds the two
-- forms 43 and 45 (FORM_NO); the block-grant family ATTCSBGCOE, ATTCSSBC and
-- ATTCSEHS keep their exchanged rows in ATTCSBGCOE.
CREATE TABLE ATT_CS_BG_U (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    TYPE INTEGER NOT NULL,
    FORM_NO INTEGER NOT NULL,
    DATER DATETIME,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, TYPE, FORM_NO)
);

CREATE TABLE ATTCSBGCOE (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    FORM_NO INTEGER NOT NULL,
    DATER DATETIME,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO)
);

CREATE TABLE ATTCSSBC (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    FORM_NO INTEGER NOT NULL,
    DATER DATETIME,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO)
);

CREATE TABLE ATTCSEHS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    FORM_NO INTEGER NOT NULL,
    DATER DATETIME,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO)
);

CREATE TABLE ATTCSBGCOEADA (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_COUNTY_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID)
);

CREATE TABLE SCICS (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE SCICSTRACK (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    TrackNumber SMALLINT NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrackNumber)
);

CREATE TABLE CHARTERVORNESTDATAADJ (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE CHARTERPHYSICALLOCATION (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

CREATE TABLE CHARTERVORNESTDATAAUDITADJ (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- --------------------------------------------------------------------------
-- SELPA entry screens
-- --------------------------------------------------------------------------

-- Infant funding of a SELPA: operated (InOp..) and allocated (InAlloc..) units;
-- its allocation and transfer rows follow.
CREATE TABLE INFANTFUNDING (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    InSeSDC1 DOUBLE,
    InNSeSDC1 DOUBLE,
    InSeSDC2 DOUBLE,
    InNSeSDC2 DOUBLE,
    InOpRs DOUBLE,
    InOpDIS DOUBLE,
    InOpSDC1 DOUBLE,
    InOpSDC2 DOUBLE,
    InOpTotal DOUBLE,
    InAllocSDC1 DOUBLE,
    InAllocSDC2 DOUBLE,
    InAllocRs DOUBLE,
    InAllocDIS DOUBLE,
    InAllocTotal DOUBLE,
    InDTSCert DOUBLE,
    InDTSClass DOUBLE,
    Justification TEXT COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)
);

-- Allocation rows: one per administrative-unit district and school.
CREATE TABLE InfantFundingAllocation (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    SelpaAUDist INTEGER NOT NULL,
    SelpaAUDistSchoolId INTEGER NOT NULL,
    P1AllocSDC1Se DOUBLE,
    P1AllocSDC2Se DOUBLE,
    P1AllocSDC1NSe DOUBLE,
    P1AllocSDC2Nse DOUBLE,
    P1AllocResSplt DOUBLE,
    P1AllocDIS DOUBLE,
    P1AllocSDC1SeOp DOUBLE,
    P1AllocSDC2SeOp DOUBLE,
    P1AllocSDC1NSeOp DOUBLE,
    P1AllocSDC2NseOp DOUBLE,
    P1AllocResSpltOp DOUBLE,
    P1AllocDISOp DOUBLE,
    P2AllocSDC1Se DOUBLE,
    P2AllocSDC2Se DOUBLE,
    P2AllocSDC1NSe DOUBLE,
    P2AllocSDC2Nse DOUBLE,
    P2AllocResSplt DOUBLE,
    P2AllocDIS DOUBLE,
    P2AllocSDC1SeOp DOUBLE,
    P2AllocSDC2SeOp DOUBLE,
    P2AllocSDC1NSeOp DOUBLE,
    P2AllocSDC2NseOp DOUBLE,
    P2AllocResSpltOp DOUBLE,
    P2AllocDISOp DOUBLE,
    InDTSCert DOUBLE,
    InDTSClass DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SelpaAUDist, SelpaAUDistSchoolId)
);

-- Transfer rows: TrType 1 transferring in, 2 transferring out.
CREATE TABLE InfantFundingTransfer (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    TrType SMALLINT NOT NULL,
    SelpaAU INTEGER NOT NULL,
    SelpaAuSchoolId INTEGER NOT NULL,
    SelpaDist INTEGER NOT NULL,
    SelpaDistSchoolId INTEGER NOT NULL,
    SelpaAUName VARCHAR(100) COLLATE NOCASE,
    SelpaDistrictName VARCHAR(100) COLLATE NOCASE,
    TrSDC1 DOUBLE,
    TrSDC2 DOUBLE,
    TrRs DOUBLE,
    TrDIS DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrType, SelpaAU, SelpaAuSchoolId, SelpaDist, SelpaDistSchoolId)
);

-- Infant-funding calculation per administrative-unit district, filled by the
-- calculation component from Param, InfantFundingAllocation and LeaSelpaParams.
CREATE TABLE INFANTFUNDINGBP (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    SelpaAuDist INTEGER NOT NULL,
    SelpaAuDistSchoolId INTEGER NOT NULL,
    CY1AideRate DOUBLE,
    CYDISrate DOUBLE,
    P1AllocSDC1Se DOUBLE,
    P1AllocSDC2Se DOUBLE,
    P1AllocSDC1NSe DOUBLE,
    P1AllocSDC2Nse DOUBLE,
    P1AllocResSplt DOUBLE,
    P1AllocDIS DOUBLE,
    P1AllocSDC1SeOp DOUBLE,
    P1AllocSDC2SeOp DOUBLE,
    P1AllocSDC1NSeOp DOUBLE,
    P1AllocSDC2NseOp DOUBLE,
    P1AllocResSpltOp DOUBLE,
    P1AllocDISOp DOUBLE,
    P2AllocSDC1Se DOUBLE,
    P2AllocSDC2Se DOUBLE,
    P2AllocSDC1NSe DOUBLE,
    P2AllocSDC2Nse DOUBLE,
    P2AllocResSplt DOUBLE,
    P2AllocDIS DOUBLE,
    P2AllocSDC1SeOp DOUBLE,
    P2AllocSDC2SeOp DOUBLE,
    P2AllocSDC1NSeOp DOUBLE,
    P2AllocSDC2NseOp DOUBLE,
    P2AllocResSpltOp DOUBLE,
    P2AllocDISOp DOUBLE,
    P1P2AllocSDC1Se DOUBLE,
    P1P2AllocSDC2Se DOUBLE,
    P1P2AllocSDC1NSe DOUBLE,
    P1P2AllocSDC2Nse DOUBLE,
    P1P2AllocResSplt DOUBLE,
    P1P2AllocDIS DOUBLE,
    P1P2AllocSDC1SeOp DOUBLE,
    P1P2AllocSDC2SeOp DOUBLE,
    P1P2AllocSDC1NSeOp DOUBLE,
    P1P2AllocSDC2NseOp DOUBLE,
    P1P2AllocResSpltOp DOUBLE,
    P1P2AllocDISOp DOUBLE,
    P1P2TotalAlloc DOUBLE,
    P1P2TotalOp DOUBLE,
    Actual_county INTEGER,
    SchoolDistrictName VARCHAR(100) COLLATE NOCASE,
    SDCrate DOUBLE,
    CYSDCrate DOUBLE,
    RSPrate DOUBLE,
    CYRSPrate DOUBLE,
    DISrate DOUBLE,
    Aiderate DOUBLE,
    CY2AideRate DOUBLE,
    SSR DOUBLE,
    NSSSR DOUBLE,
    SSSR DOUBLE,
    C1 CURRENCY,
    C2 CURRENCY,
    C3 CURRENCY,
    C4 CURRENCY,
    C5 CURRENCY,
    C6 CURRENCY,
    C7 CURRENCY,
    C8 CURRENCY,
    C9 CURRENCY,
    C10 CURRENCY,
    C11 CURRENCY,
    C12 CURRENCY,
    C13 CURRENCY,
    C14 CURRENCY,
    C15 CURRENCY,
    C16 CURRENCY,
    C17 CURRENCY,
    C18 DOUBLE,
    C19 CURRENCY,
    COLASDC DOUBLE,
    COLARSP DOUBLE,
    COLADIS DOUBLE,
    COLAAides DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SelpaAuDist, SelpaAuDistSchoolId)
);

-- Student-level SELPA screens: one row per student (HOLBRINStudentID) and
-- county of placement (SELPALOCATION).
CREATE TABLE SELPAMENTALHEALTH (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    SELPALOCATION INTEGER NOT NULL,
    HOLBRINStudentID VARCHAR(20) COLLATE NOCASE NOT NULL,
    StudentBirthDate DATETIME,
    StudentPlacementDate DATETIME,
    CostOfMHRoomBoard CURRENCY,
    CostOfResMHServices CURRENCY,
    CostOfOtherMHServices CURRENCY,
    TotalCostOfMHServices CURRENCY,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SELPALOCATION, HOLBRINStudentID)
);

CREATE TABLE SECOSTPOOL (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    SELPALOCATION INTEGER NOT NULL,
    LICENSENUMBER VARCHAR(20) COLLATE NOCASE NOT NULL,
    HOLBRINStudentID VARCHAR(20) COLLATE NOCASE NOT NULL,
    NAME VARCHAR(150) COLLATE NOCASE,
    StudentBirthDate DATETIME,
    StudentPlacementDate DATETIME,
    TotalNonPubSinglePlace CURRENCY,
    USERADDED SMALLINT DEFAULT 0,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SELPALOCATION, LICENSENUMBER, HOLBRINStudentID)
);

CREATE TABLE SENPSLCI (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    SELPALOCATION INTEGER NOT NULL,
    LCILICENSENUMBER VARCHAR(20) COLLATE NOCASE NOT NULL,
    CODE VARCHAR(20) COLLATE NOCASE NOT NULL,
    NPSNPATYPEID SMALLINT NOT NULL,
    NAME VARCHAR(150) COLLATE NOCASE,
    lciNAME VARCHAR(150) COLLATE NOCASE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SELPALOCATION, LCILICENSENUMBER, CODE, NPSNPATYPEID)
);

-- Allocations of a SELPA to its member districts (RES_SCHOOL_DISTRICT_ID).
CREATE TABLE SELPAADAALLOC (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    AttCoe DOUBLE,
    AttCoeDistFundADA DOUBLE,
    AttCOEAllocated DOUBLE,
    AttCoeDistFundADAAllocated DOUBLE,
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_SCHOOL_DISTRICT_ID)
);

CREATE TABLE SPEDTAXALLOC (
    FISCAL_YEAR INTEGER NOT NULL,
    PERIOD_ID INTEGER NOT NULL,
    COUNTY_ID INTEGER NOT NULL,
    SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    SCHOOL_ID INTEGER NOT NULL,
    RES_SCHOOL_DISTRICT_ID INTEGER NOT NULL,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    TaxPer DECIMAL(9,4),
    CERT_KEY INTEGER,
    PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_SCHOOL_DISTRICT_ID)
);

-- --------------------------------------------------------------------------
-- Copies that the certified-data import makes of three tables of an incoming
-- file before it re-keys them, and puts back afterwards
-- --------------------------------------------------------------------------

CREATE TABLE CS_BA_BAK (
    FISCAL_YEAR INTEGER,
    PERIOD_ID INTEGER,
    COUNTY_ID INTEGER,
    SCHOOL_DISTRICT_ID INTEGER,
    SCHOOL_ID INTEGER,
    RES_COUNTY_ID INTEGER,
    RES_SCHOOL_DISTRICT_ID INTEGER,
    ResCountyName VARCHAR(100) COLLATE NOCASE,
    ResSchoolDistName VARCHAR(100) COLLATE NOCASE,
    RegularADA_GradesTKTO3 DOUBLE,
    RegularADA_Grades4TO6 DOUBLE,
    RegularADA_Grades7TO8 DOUBLE,
    RegularADA_Grades9TO12 DOUBLE,
    RegularADA_Total DOUBLE,
    RegularADA_GradesTKTO3_CB DOUBLE,
    RegularADA_Grades4TO6_CB DOUBLE,
    RegularADA_Grades7TO8_CB DOUBLE,
    RegularADA_Grades9TO12_CB DOUBLE,
    RegularADA_Total_CB DOUBLE,
    ExtYearSpEd_GradesTKTO3 DOUBLE,
    ExtYearSpEd_Grades4TO6 DOUBLE,
    ExtYearSpEd_Grades7TO8 DOUBLE,
    ExtYearSpEd_Grades9TO12 DOUBLE,
    ExtYearSpEd_Total DOUBLE,
    ExtYearSpEd_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_Total_CB DOUBLE,
    SpEd_56366_GradesTKTO3 DOUBLE,
    SpEd_56366_Grades4TO6 DOUBLE,
    SpEd_56366_Grades7TO8 DOUBLE,
    SpEd_56366_Grades9TO12 DOUBLE,
    SpEd_56366_Total DOUBLE,
    SpEd_56366_GradesTKTO3_CB DOUBLE,
    SpEd_56366_Grades4TO6_CB DOUBLE,
    SpEd_56366_Grades7TO8_CB DOUBLE,
    SpEd_56366_Grades9TO12_CB DOUBLE,
    SpEd_56366_Total_CB DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3 DOUBLE,
    ExtYearSpEd_56366_Grades4TO6 DOUBLE,
    ExtYearSpEd_56366_Grades7TO8 DOUBLE,
    ExtYearSpEd_56366_Grades9TO12 DOUBLE,
    ExtYearSpEd_56366_Total DOUBLE,
    ExtYearSpEd_56366_GradesTKTO3_CB DOUBLE,
    ExtYearSpEd_56366_Grades4TO6_CB DOUBLE,
    ExtYearSpEd_56366_Grades7TO8_CB DOUBLE,
    ExtYearSpEd_56366_Grades9TO12_CB DOUBLE,
    ExtYearSpEd_56366_Total_CB DOUBLE,
    ADATotal_GradesTKTO3 DOUBLE,
    ADATotal_Grades4TO6 DOUBLE,
    ADATotal_Grades7TO8 DOUBLE,
    ADATotal_Grades9TO12 DOUBLE,
    ADATotal_Total DOUBLE,
    ADATotal_GradesTKTO3_CB DOUBLE,
    ADATotal_Grades4TO6_CB DOUBLE,
    ADATotal_Grades7TO8_CB DOUBLE,
    ADATotal_Grades9TO12_CB DOUBLE,
    ADATotal_Total_CB DOUBLE,
    CERT_KEY INTEGER
);

CREATE TABLE LEA_FORMS_STATUS_BAK (
    FISCAL_YEAR INTEGER,
    PERIOD_ID INTEGER,
    COUNTY_ID INTEGER,
    SCHOOL_DISTRICT_ID INTEGER,
    SCHOOL_ID INTEGER DEFAULT 0,
    FORM_NO INTEGER,
    CERTIFICATE_NUMBER INTEGER,
    NUM_RECORD INTEGER,
    NUM_ERROR INTEGER,
    NUM_WARNING INTEGER,
    LAST_MODIFIED_DATE DATETIME,
    LAST_EDIT_CHECK_DATE DATETIME,
    LAST_EXPORT_DATE DATETIME,
    LAST_IMPORT_DATE DATETIME,
    PY_REASON_CODE INTEGER DEFAULT 0,
    PY_FORMS_CORRECTED VARCHAR(3) COLLATE NOCASE DEFAULT 'No',
    PY_CORRECTION_NOTE TEXT COLLATE NOCASE
);

CREATE TABLE EXPORT_FILE_INFO_BAK (
    FORM_GROUP_NAME VARCHAR(50) COLLATE NOCASE,
    FISCAL_YEAR INTEGER,
    PERIOD_ID INTEGER,
    COUNTY_ID INTEGER,
    SCHOOL_DISTRICT_ID INTEGER,
    SCHOOL_ID INTEGER,
    SCHOOL_NAME VARCHAR(100) COLLATE NOCASE,
    SCHOOL_DISTRICT_NAME VARCHAR(100) COLLATE NOCASE,
    CERTIFICATE INTEGER,
    CERTIFIED_DATE DATETIME,
    CONTACT VARCHAR(100) COLLATE NOCASE,
    PHONE VARCHAR(30) COLLATE NOCASE,
    FAX VARCHAR(30) COLLATE NOCASE,
    EMAIL VARCHAR(100) COLLATE NOCASE,
    IMPORTED VARCHAR(1) COLLATE NOCASE
);

